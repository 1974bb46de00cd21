// The whole public interface of the ZIN SDK in one include line.
#pragma once

#include "ZinDefs.h"
#include "ZinUUID.h"
#include "ZinBase.h"
#include "ZinComPtr.h"
#include "ZinBasicData.h"
#include "ZinStreams.h"
#include "ZinReporter.h"
#include "ZinXML.h"
#include "ZinFileInfo.h"
#include "ZinFileStreams.h"
#include "ZinMgr.h"
