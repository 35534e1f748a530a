// Registration tables of small classes and a record that exercise every path of the
// extension: class and instance members, properties, fields, records, variants, dates,
// 64-bit integers and a member that fails.
#pragma once

#include <string>
#include <vector>

#include "bridge/RttiTypes.h"
#include "bridge/RttiValue.h"

namespace sample {

struct TPoint {
  int32_t X = 0;
  int32_t Y = 0;
  std::wstring Name;
};

struct TSampleObject {
  int32_t Count = 0;
  int32_t Tag = 0;
  std::wstring Label = L"etichetta";
};

// What the members saw: one line per call.
std::vector<std::wstring>& Calls();

const quirel::TTypeInfo* PointType();
const quirel::TRttiClass* SampleClass();  // TSample, unit "Samples"
const quirel::TRttiClass* ChildClass();   // TChild = class(TSample)
const quirel::TRttiClass* OtherClass();   // TOther = class(TObject)

quirel::TValue SampleObjectValue(std::shared_ptr<TSampleObject> object);
quirel::TValue ChildObjectValue(std::shared_ptr<TSampleObject> object);
quirel::TValue OtherObjectValue();

// The local date-time TSample.When gives: 2024-02-29 13:45:30.250.
double SampleDateTime();

}  // namespace sample
