#pragma once
#include "engine/ChannelItem.h"
#include "ui/osd/OSDFrame.h"

// The root page: one row per page it opens, each with its name and description.
class MMainMenuPage : public MFrame
{
public:
    BOOL Create(const RECT& rect, CWnd* pParent, UINT id) override;
    BOOL BuildRows() override;
};

// Scans, fine-tunes, deletes and marks the current channel.
class MChannelEditPage : public MFrame
{
public:
    MChannelEditPage() : m_pChannel(nullptr) {}
    BOOL Create(const RECT& rect, CWnd* pParent, UINT id) override;
    BOOL BuildRows() override;
    void OnRefresh() override;
    void OnHide() override {}
    int OnCodeOK(UINT key, LPARAM lParam) override;
    MFrame* GetSelectedFrame() override;

private:
    void FineTune();
    void DeleteCurrentChannel();

    CChannelItem* m_pChannel;
};

// Shows the progress of a channel scan; any of Enter, the menu key and the close key stops it.
class MChannelSearchPage : public MFrame
{
public:
    MChannelSearchPage() : m_pBar(nullptr) {}
    BOOL Create(const RECT& rect, CWnd* pParent, UINT id) override;
    BOOL BuildRows() override;
    void OnRefresh() override;
    int OnKeyFallback(UINT key, LPARAM lParam) override;
    int UpdateProgress(int min, int max, int value);
    MValueBarItem* GetBar() const { return m_pBar; }

private:
    MValueBarItem* m_pBar;
};
