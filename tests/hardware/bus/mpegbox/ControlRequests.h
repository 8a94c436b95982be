#pragma once

#include "hardware/bus/MpegBoxRegisterAccess.h"
#include "tests/hardware/support/RecordingPropertySet.h"

#include <stdio.h>

#include <deque>
#include <string>
#include <vector>

// A box driver that records its property requests. Control requests (property
// 20) read back answer, or the next queued answer; every request fails with
// failure, and the failAt-th one (counted from 1) with E_FAIL.
class CControlDriver
{
public:
    CControlDriver()
    {
        props.SetRequestHandler(
            [this](bool bSet, const GUID& set, DWORD id, const BYTE*, DWORD, BYTE* pData, DWORD length) {
                ++m_nRequests;
                if (m_nRequests == failAt)
                    return E_FAIL;
                if (FAILED(failure))
                    return failure;
                if (!bSet && id == MPEGBOX_PROPERTY_CONTROL && length >= 4)
                {
                    DWORD value = answer;
                    if (!answers.empty())
                    {
                        value = answers.front();
                        answers.pop_front();
                    }
                    memcpy(pData, &value, 4);
                }
                if (handler)
                    return handler(bSet, set, id, pData, length);
                return S_OK;
            });
    }

    void Support(DWORD id, DWORD flags = KSPROPERTY_SUPPORT_GET | KSPROPERTY_SUPPORT_SET,
                 const GUID& set = PROPSETID_MpegBoxEncoder)
    {
        props.AddSupported(set, id, flags);
    }

    // The control requests, as "Get 21/1 9" or "Set 60/10 1FE2 = CE08"
    // (7-bit device and register in hex, the code in decimal).
    std::vector<std::string> Requests() const
    {
        std::vector<std::string> lines;
        for (const auto& call : props.Calls())
        {
            if (call.id != MPEGBOX_PROPERTY_CONTROL || call.instance.size() < 9 || call.data.size() < 4)
                continue;
            DWORD device, reg, value;
            memcpy(&device, &call.instance[0], 4);
            memcpy(&reg, &call.instance[5], 4);
            memcpy(&value, &call.data[0], 4);
            char line[64];
            if (call.bSet)
                sprintf(line, "Set %lX/%u %lX = %lX", device, call.instance[4], reg, value);
            else
                sprintf(line, "Get %lX/%u %lX", device, call.instance[4], reg);
            lines.push_back(line);
        }
        return lines;
    }

    CRecordingPropertySet props;
    DWORD answer = 0;
    std::deque<DWORD> answers;
    HRESULT failure = S_OK;
    int failAt = 0;
    // Called for every request that gets through (after the answer is filled).
    std::function<HRESULT(bool bSet, const GUID& set, DWORD id, BYTE* pData, DWORD length)> handler;

private:
    int m_nRequests = 0;
};
