// The class library's basic routines in one include: exceptions, Format,
// number conversions, string and file-name routines, dates and times.
#pragma once

#include "platform/rtl/Conversions.h"
#include "platform/rtl/DateFormat.h"
#include "platform/rtl/DateTime.h"
#include "platform/rtl/Exception.h"
#include "platform/rtl/FileUtils.h"
#include "platform/rtl/FloatText.h"
#include "platform/rtl/Format.h"
#include "platform/rtl/StrUtils.h"
