#pragma once
// One table per subsystem, defined in that subsystem's *Strings.cpp in this folder.
#include <span>

#include "resources/StringTable.h"

std::span<const StringEntry> coreStrings();
std::span<const StringEntry> deviceStrings();
std::span<const StringEntry> acquisitionStrings();
std::span<const StringEntry> colorStrings();
std::span<const StringEntry> filesStrings();
std::span<const StringEntry> shellStrings();
std::span<const StringEntry> chartStrings();
std::span<const StringEntry> appsStrings();
