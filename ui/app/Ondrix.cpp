// Ondrix.exe: the global objects of the application, constructed before WinMain in this order
// and destroyed in the reverse order at process exit.
#include "ui/ControlPanelDlg.h"
#include "ui/TVApp.h"
#include "ui/VideoDlg.h"
// After the windows: the engine's DirectShow headers define macros named like window members.
#include "engine/TVEngine.h"

CTVApp theApp;
CVideoDlg g_videoDlg;
CTVEngine g_engine;
CControlPanelDlg g_controlPanel;

CVideoDlg& GetVideoDlg() { return g_videoDlg; }
CControlPanelDlg& GetControlPanel() { return g_controlPanel; }
