// The two bases of the engine's interface structs. Reference-counted interfaces
// start with a cef_base_ref_counted_t, directly or through their parent; the
// scoped one (cef_base_scoped_t) belongs to a single owner.
#pragma once

#include "engine/capi/cef_types.h"

typedef struct _cef_base_ref_counted_t cef_base_ref_counted_t;
typedef struct _cef_base_scoped_t cef_base_scoped_t;

typedef struct _cef_base_ref_counted_t {
  size_t size;
  void(CEF_CALLBACK* add_ref)(cef_base_ref_counted_t* self);
  int(CEF_CALLBACK* release)(cef_base_ref_counted_t* self);
  int(CEF_CALLBACK* has_one_ref)(cef_base_ref_counted_t* self);
  int(CEF_CALLBACK* has_at_least_one_ref)(cef_base_ref_counted_t* self);
} cef_base_ref_counted_t;

typedef struct _cef_base_scoped_t {
  size_t size;
  void(CEF_CALLBACK* del)(cef_base_scoped_t* self);
} cef_base_scoped_t;
