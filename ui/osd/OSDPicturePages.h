#pragma once
#include "ui/osd/OSDFrame.h"

// Snapshot and capture settings that live in memory only; the record format page shows them too.
extern int g_nCaptureType;     // 1 or 0: the first or the second picture type
extern int g_nCaptureOption;   // 0, 1 or 3
extern int g_nJPEGQuality;     // 0..100

// Brightness, contrast, hue, saturation and sharpness, and a reset.
class MPictureAdjustPage : public MFrame
{
public:
    BOOL Create(const RECT& rect, CWnd* pParent, UINT id) override;
    BOOL BuildRows() override;
    void OnRefresh() override;
    void OnHide() override {}
    int OnCodeOK(UINT key, LPARAM lParam) override;
};

// Capture size, quality, noise reduction, half rate and the timed shut-down switch.
class MNoiseReductionPage : public MFrame
{
public:
    BOOL Create(const RECT& rect, CWnd* pParent, UINT id) override;
    BOOL BuildRows() override;
    void OnRefresh() override;
    int OnCodeOK(UINT key, LPARAM lParam) override;
    MFrame* GetSelectedFrame() override;
};

// Snapshot type, record format, snapshot option, display quality and JPEG quality.
class MCaptureSettingsPage : public MFrame
{
public:
    BOOL Create(const RECT& rect, CWnd* pParent, UINT id) override;
    BOOL BuildRows() override;
    void OnRefresh() override;
    void OnHide() override {}
    int OnCodeOK(UINT key, LPARAM lParam) override;
    MFrame* GetSelectedFrame() override;
};
