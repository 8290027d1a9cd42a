// The class records of the eight boxed base values, in base-type order: a base-type index 0 to 7
// selects a row (Int8, Int16, Char, Int32, Int64, Int64Alt, Double, Int32Alt).
#pragma once

#include "runtime/ClassInfo.h"

#include <array>

constexpr int kBaseTypeCount = 8;

using BaseTypeRows = std::array<const CVolClassInfo*, kBaseTypeCount>;

// Built once, on the first request; every request answers the same table.
const BaseTypeRows& BaseTypeTable();
