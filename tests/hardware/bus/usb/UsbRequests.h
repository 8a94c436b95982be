#pragma once

#include "hardware/bus/UsbVendorRequest.h"
#include "tests/hardware/support/RecordingPropertySet.h"

#include <gtest/gtest.h>

#include <stdio.h>
#include <string.h>

#include <deque>
#include <functional>
#include <string>
#include <vector>

// A USB bridge driver that records the requests it is sent through property 0
// and answers the Get that follows each with IN bytes: those the answer
// function gives for the request, else the queued ones, else one zero byte.
class CUsbRequestDriver
{
public:
    CUsbRequestDriver()
    {
        props.SetRequestHandler([this](bool bSet, const GUID& set, DWORD id, const BYTE* pInstance, DWORD cbInstance,
                                       BYTE* pData, DWORD length) {
            EXPECT_TRUE(set == PROPSETID_UsbVendorRequest);
            EXPECT_EQ(0u, id);
            EXPECT_EQ(48u, cbInstance);
            EXPECT_EQ(48u, length);
            if (memcmp(pInstance, &PROPSETID_UsbVendorRequest, sizeof(GUID)) != 0)
                ++frameErrors;
            return bSet ? OnSet(pData) : OnGet(pInstance, pData);
        });
    }

    // The requests, as "IN 10 v=05C0 i=0000 n=1" or "OUT 10 v=05C1 i=0000 n=1 [07]".
    std::vector<std::string> lines;
    std::deque<std::vector<BYTE>> replies;
    std::function<std::vector<BYTE>(const std::string& line)> answer;
    HRESULT setResult = S_OK;
    HRESULT getResult = S_OK;
    // A reply count the driver claims, bigger than anything it holds.
    DWORD claimedCount = 0;
    int frameErrors = 0;
    CRecordingPropertySet props;

private:
    HRESULT OnSet(const BYTE* p)
    {
        DWORD length;
        memcpy(&length, p + 44, 4);
        DWORD zero;
        memcpy(&zero, p + 16, 4);
        if (length < 8 || length > 18 || zero != 0)
            ++frameErrors;
        const BYTE* r = p + 24;
        char text[80];
        sprintf(text, "%s %X v=%04X i=%04X n=%u", r[0] == 0xC0 ? "IN" : (r[0] == 0x40 ? "OUT" : "??"), r[1],
                r[2] | (r[3] << 8), r[4] | (r[5] << 8), r[6] | (r[7] << 8));
        std::string line = text;
        if (length > 8)
        {
            line += " [";
            for (DWORD i = 8; i < length && i < 18; ++i)
            {
                sprintf(text, i == 8 ? "%02X" : " %02X", r[i]);
                line += text;
            }
            line += "]";
        }
        lines.push_back(line);
        return setResult;
    }

    HRESULT OnGet(const BYTE* pRequest, BYTE* pReply)
    {
        DWORD length;
        memcpy(&length, pRequest + 44, 4);
        for (int i = 24; i < 42; ++i)
        {
            if (pRequest[i] != 0)
                ++frameErrors;
        }
        if (length != 0)
            ++frameErrors;
        std::vector<BYTE> bytes(1, 0);
        if (answer && !lines.empty())
            bytes = answer(lines.back());
        else if (!replies.empty())
        {
            bytes = replies.front();
            replies.pop_front();
        }
        memset(pReply, 0xEE, 48);
        memcpy(pReply + 24, bytes.data(), bytes.size() < 18 ? bytes.size() : 18);
        DWORD count = claimedCount != 0 ? claimedCount : static_cast<DWORD>(bytes.size());
        memcpy(pReply + 44, &count, 4);
        return getResult;
    }
};
