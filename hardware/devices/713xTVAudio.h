#pragma once

#include "hardware/devices/TVAudioDevice.h"

// The TV-audio filters of the cards: the plain TV-audio wrapper under each
// card's own name, opened when it is made.
#define CARD_TV_AUDIO(Class)                                                              \
    class Class : public CTVAudioDevice                                                   \
    {                                                                                     \
    public:                                                                               \
        Class(CDShowGraph* pGraph, const GUID* pCategory, LPCSTR pszName, BOOL bExclude)  \
            : CTVAudioDevice(pGraph, pCategory, pszName, bExclude)                        \
        {                                                                                 \
            OpenDevice();                                                                 \
        }                                                                                 \
        Class(CDShowGraph* pGraph, REFCLSID clsid) : CTVAudioDevice(pGraph, clsid)        \
        {                                                                                 \
            OpenDevice();                                                                 \
        }                                                                                 \
    }

// "713x TV Card TV Audio (Proteus)".
CARD_TV_AUDIO(C713xTVAudio);
CARD_TV_AUDIO(C713x3TVAudio);
CARD_TV_AUDIO(CVeltraneQM57TVAudio);
CARD_TV_AUDIO(CTridentUSBTVAudio);
CARD_TV_AUDIO(CTridentPemrokTVAudio);
