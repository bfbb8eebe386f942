#pragma once

#include "data/record_store.h"

// How a given value becomes what a field stores.
namespace tallyra {

bool IsTextType(FieldType type);     // text and memo
bool IsNumericType(FieldType type);  // byte .. double and date-time; bool is not a number

// What a field holds when nothing was given: empty text, 0, false, no bytes.
Value EmptyValueOf(FieldType type);

// The byte size FieldSize reports: the declared size of a text field; bool and byte 1,
// short 2, int and float 4, long, double and date-time 8; memo and binary 0 (unbounded).
int ByteSizeOf(const FieldDef& field);

// Converts a value for the field: text is cut to the field's size in GBK bytes without
// splitting a character; numbers of either numeric kind convert to the field's type
// (toward zero for an integer field). An empty value (monostate) gives EmptyValueOf.
// Returns kStoreOk, kStoreTypeMismatch (another type) or kStoreBadValue (a number the field
// cannot hold, text that is not GBK-encodable).
int ConvertForField(const FieldDef& field, const Value& value, Value* stored);

}  // namespace tallyra
