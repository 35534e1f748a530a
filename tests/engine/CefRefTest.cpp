#include "engine/capi/CefRef.h"

#include <gtest/gtest.h>

#include <utility>

#include "engine/capi/cef_capi.h"
#include "tests/engine/CountingObject.h"

static_assert(CefRefCounted<cef_base_ref_counted_t>);
static_assert(CefRefCounted<cef_frame_t>);
static_assert(CefRefCounted<cef_menu_button_t>);  // base four levels down
static_assert(!CefRefCounted<cef_scheme_registrar_t>);  // scoped, single owner
static_assert(!CefRefCounted<cef_settings_t>);

TEST(CefRef, AdoptedReferenceIsReleasedOnceOnScopeExit) {
  CountingObject<cef_frame_t> frame;
  {
    CefRef<cef_frame_t> ref = CefAdopt(&frame.cef);
    EXPECT_EQ(ref.get(), &frame.cef);
    EXPECT_EQ(frame.releases, 0);
  }
  EXPECT_EQ(frame.add_refs, 0);
  EXPECT_EQ(frame.releases, 1);
}

TEST(CefRef, CopiesAddAndEachReleasesItsOwn) {
  CountingObject<cef_frame_t> frame;
  {
    CefRef<cef_frame_t> first = CefAdopt(&frame.cef);
    CefRef<cef_frame_t> second(first);
    CefRef<cef_frame_t> third;
    third = second;
    EXPECT_EQ(frame.add_refs, 2);
    EXPECT_EQ(frame.releases, 0);
    EXPECT_EQ(third, first);
  }
  EXPECT_EQ(frame.add_refs, 2);
  EXPECT_EQ(frame.releases, 3);
}

TEST(CefRef, MovesTransferWithoutCounting) {
  CountingObject<cef_frame_t> frame;
  {
    CefRef<cef_frame_t> first = CefAdopt(&frame.cef);
    CefRef<cef_frame_t> second(std::move(first));
    CefRef<cef_frame_t> third;
    third = std::move(second);
    EXPECT_FALSE(first);
    EXPECT_FALSE(second);
    EXPECT_EQ(third.get(), &frame.cef);
    EXPECT_EQ(frame.releases, 0);
  }
  EXPECT_EQ(frame.add_refs, 0);
  EXPECT_EQ(frame.releases, 1);
}

TEST(CefRef, AssignmentReleasesTheObjectHeldBefore) {
  CountingObject<cef_frame_t> a;
  CountingObject<cef_frame_t> b;
  CefRef<cef_frame_t> ref = CefAdopt(&a.cef);
  ref = CefAdopt(&b.cef);
  EXPECT_EQ(a.releases, 1);
  EXPECT_EQ(b.releases, 0);
  ref = ref;  // self-assignment keeps the object
  EXPECT_EQ(ref.get(), &b.cef);
  EXPECT_EQ(b.balance(), 0);
  ref.Reset();
  ref.Reset();
  EXPECT_EQ(b.balance(), -1);  // exactly the adopted reference given back
  EXPECT_EQ(a.releases, 1);
}

TEST(CefRef, RetainShareAndDetachFollowTheEngineRules) {
  CountingObject<cef_frame_t> frame;
  cef_frame_t* handed_out = nullptr;
  cef_frame_t* detached = nullptr;
  {
    // `self` is borrowed: keeping it needs a reference of our own.
    CefRef<cef_frame_t> kept = CefRef<cef_frame_t>::Retain(&frame.cef);
    EXPECT_EQ(frame.add_refs, 1);
    // An argument for the engine carries a reference the engine releases.
    handed_out = kept.Share();
    EXPECT_EQ(frame.add_refs, 2);
    // Returning our own reference hands it over.
    detached = kept.Detach();
    EXPECT_FALSE(kept);
  }
  EXPECT_EQ(handed_out, &frame.cef);
  EXPECT_EQ(detached, &frame.cef);
  EXPECT_EQ(frame.releases, 0);  // both references now belong to the receivers
}

TEST(CefRef, NullHolderCallsNothing) {
  CefRef<cef_frame_t> empty;
  CefRef<cef_frame_t> copy = empty;
  EXPECT_EQ(empty.Share(), nullptr);
  EXPECT_EQ(CefRef<cef_frame_t>::Retain(nullptr).get(), nullptr);
  EXPECT_FALSE(copy);
}

TEST(CefRef, ViewsObjectsAreCountedThroughTheirNestedBase) {
  CountingObject<cef_window_t> window;  // window -> panel -> view -> base
  {
    CefRef<cef_window_t> ref = CefAdopt(&window.cef);
    CefRef<cef_window_t> copy = ref;
  }
  EXPECT_EQ(window.cef.base.base.base.size, sizeof(cef_window_t));
  EXPECT_EQ(window.add_refs, 1);
  EXPECT_EQ(window.releases, 2);
}

TEST(CefStoreOut, ReplacesTheEngineOutParameter) {
  struct Case {
    const char* what;
    bool slot_holds_old;
    bool store_same_as_old;
    bool store_null;
  };
  const Case cases[] = {
      {"empty slot, new object", false, false, false},
      {"old object replaced by a new one", true, false, false},
      {"slot already holds the object", true, true, false},
      {"old object replaced by null", true, false, true},
      {"empty slot left empty", false, false, true},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    CountingObject<cef_client_t> old_client;
    CountingObject<cef_client_t> new_client;
    cef_client_t* slot = c.slot_holds_old ? &old_client.cef : nullptr;
    cef_client_t* const entry = slot;
    {
      CefRef<cef_client_t> value;
      if (c.store_same_as_old) value = CefRef<cef_client_t>::Retain(&old_client.cef);
      else if (!c.store_null) value = CefRef<cef_client_t>::Retain(&new_client.cef);
      CefStoreOut(&slot, value);
    }
    cef_client_t* expected = c.store_null          ? nullptr
                             : c.store_same_as_old ? &old_client.cef
                                                   : &new_client.cef;
    EXPECT_EQ(slot, expected);
    // The entry's reference is given back whatever is stored; the engine takes over one only
    // of a changed pointer (an unchanged one it goes on using with its own reference).
    const bool changed = slot != entry;
    const int old_taken = changed && slot == &old_client.cef ? 1 : 0;
    const int new_taken = changed && slot == &new_client.cef ? 1 : 0;
    EXPECT_EQ(old_client.balance(), old_taken - (c.slot_holds_old ? 1 : 0));
    EXPECT_EQ(new_client.balance(), new_taken);
  }
}
