// The predefined types registration tables use for parameters, results, properties and fields.
#pragma once

#include "bridge/RttiTypes.h"

namespace quirel::rtti {

const TTypeInfo* ShortInt();   // signed 1 byte
const TTypeInfo* Byte();       // unsigned 1 byte
const TTypeInfo* SmallInt();   // signed 2 bytes
const TTypeInfo* Word();       // unsigned 2 bytes
const TTypeInfo* Integer();    // signed 4 bytes
const TTypeInfo* Cardinal();   // unsigned 4 bytes (its maximum compares as signed: -1)
const TTypeInfo* Boolean();
const TTypeInfo* Int64();
const TTypeInfo* Single();
const TTypeInfo* Double();
const TTypeInfo* Extended();
const TTypeInfo* Comp();
const TTypeInfo* Currency();
const TTypeInfo* DateTime();
const TTypeInfo* String();      // UTF-16
const TTypeInfo* WideString();
const TTypeInfo* AnsiString();  // system code page
const TTypeInfo* ShortString();
const TTypeInfo* Char();        // wide character
const TTypeInfo* AnsiChar();
const TTypeInfo* Variant();
const TTypeInfo* Pointer();
const TTypeInfo* Untyped();     // untyped var and out parameters
const TTypeInfo* ScriptValue(); // the engine's script value interface
const TTypeInfo* Guid();        // interface identifier record

}  // namespace quirel::rtti
