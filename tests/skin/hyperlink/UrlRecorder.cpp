// Stands in for the browser and the mail program: appends its command line (after the program
// path) as one line to the file named by ONDRIX_URL_LOG, then sets the event "OndrixUrlRecorded".
#include <windows.h>

#include <string>

int main()
{
    char log[MAX_PATH] = "";
    if (!GetEnvironmentVariableA("ONDRIX_URL_LOG", log, MAX_PATH))
        return 1;
    std::string line = GetCommandLineA();
    // Drop the program's own (quoted or plain) path.
    size_t at = 0;
    if (!line.empty() && line[0] == '"')
        at = line.find('"', 1) + 1;
    else
        at = line.find(' ');
    line = at == std::string::npos || at > line.size() ? "" : line.substr(at);
    line.erase(0, line.find_first_not_of(' '));
    line += "\r\n";
    HANDLE file = CreateFileA(log, FILE_APPEND_DATA, FILE_SHARE_READ, nullptr, OPEN_ALWAYS, 0, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return 1;
    DWORD written = 0;
    WriteFile(file, line.data(), static_cast<DWORD>(line.size()), &written, nullptr);
    CloseHandle(file);
    HANDLE done = OpenEventA(EVENT_MODIFY_STATE, FALSE, "OndrixUrlRecorded");
    if (done != nullptr)
    {
        SetEvent(done);
        CloseHandle(done);
    }
    return 0;
}
