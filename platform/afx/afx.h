#pragma once
// Everything of the MFC-like layer; each class family has its own header.
#include "platform/afx/AfxDefs.h"
#include "platform/afx/Object.h"
#include "platform/afx/String.h"
#include "platform/afx/Array.h"
#include "platform/afx/StringArray.h"
#include "platform/afx/List.h"
#include "platform/afx/Map.h"
#include "platform/afx/File.h"
#include "platform/afx/Archive.h"
#include "platform/afx/Time.h"
#include "platform/afx/Geometry.h"
