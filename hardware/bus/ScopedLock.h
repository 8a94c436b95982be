#pragma once

// The guard every transport serialises its bus operations with.
#include "platform/dshow/CritSec.h"
