#include "engine/capi/CefObject.h"

#include <gtest/gtest.h>

#include <thread>
#include <vector>

#include "engine/capi/cef_capi.h"

namespace {

class RenderHandler : public CefObject<RenderHandler, cef_render_process_handler_t> {
 public:
  explicit RenderHandler(int& destroyed) : destroyed_(destroyed) {}
  ~RenderHandler() override { ++destroyed_; }

 private:
  int& destroyed_;
};

class App : public CefObject<App, cef_app_t> {
 public:
  App(int& destroyed, CefRef<cef_render_process_handler_t> handler)
      : destroyed_(destroyed), handler_(std::move(handler)) {
    Bind<&App::GetRenderProcessHandler>(cef()->get_render_process_handler);
  }
  ~App() override { ++destroyed_; }

 private:
  // A returned object carries a reference for the engine.
  cef_render_process_handler_t* GetRenderProcessHandler() { return handler_.Share(); }

  int& destroyed_;
  CefRef<cef_render_process_handler_t> handler_;
};

// A views delegate: its struct nests the counted base three levels down and
// half of its callbacks take the parent struct as `self`.
class WindowDelegate : public CefObject<WindowDelegate, cef_window_delegate_t> {
 public:
  WindowDelegate(int& destroyed, int width) : destroyed_(destroyed), width_(width) {
    Bind<&WindowDelegate::GetPreferredSize>(cef()->base.base.get_preferred_size);
    Bind<&WindowDelegate::IsFrameless>(cef()->is_frameless);
  }
  ~WindowDelegate() override { ++destroyed_; }

  cef_window_t* last_window = nullptr;

 private:
  cef_size_t GetPreferredSize(cef_view_t*) { return {width_, 2 * width_}; }
  int IsFrameless(cef_window_t* window) {
    last_window = window;
    return width_ > 100;
  }

  int& destroyed_;
  int width_;
};

cef_base_ref_counted_t* Base(auto* object) { return CefBaseOf(object); }

}  // namespace

TEST(CefObject, StartsWithOneReferenceAndItsStructSize) {
  int destroyed = 0;
  CefRef<cef_render_process_handler_t> handler = CefNew<RenderHandler>(destroyed);
  cef_base_ref_counted_t* base = Base(handler.get());
  EXPECT_EQ(base->size, sizeof(cef_render_process_handler_t));
  EXPECT_EQ(base->has_one_ref(base), 1);
  EXPECT_EQ(base->has_at_least_one_ref(base), 1);
  base->add_ref(base);
  EXPECT_EQ(base->has_one_ref(base), 0);
  EXPECT_EQ(base->has_at_least_one_ref(base), 1);
  EXPECT_EQ(base->release(base), 0);
  EXPECT_EQ(base->has_one_ref(base), 1);
  EXPECT_EQ(destroyed, 0);
}

TEST(CefObject, LastReleaseDeletesExactlyOnce) {
  int destroyed = 0;
  cef_render_process_handler_t* raw = CefNew<RenderHandler>(destroyed).Detach();
  cef_base_ref_counted_t* base = Base(raw);
  base->add_ref(base);
  base->add_ref(base);
  EXPECT_EQ(base->release(base), 0);
  EXPECT_EQ(base->release(base), 0);
  EXPECT_EQ(destroyed, 0);
  EXPECT_EQ(base->release(base), 1);
  EXPECT_EQ(destroyed, 1);
}

TEST(CefObject, HoldersShareOneObject) {
  int destroyed = 0;
  {
    CefRef<cef_render_process_handler_t> first = CefNew<RenderHandler>(destroyed);
    std::vector<CefRef<cef_render_process_handler_t>> copies(5, first);
    first.Reset();
    copies.pop_back();
    EXPECT_EQ(destroyed, 0);
  }
  EXPECT_EQ(destroyed, 1);
}

TEST(CefObject, BoundCallbacksReachTheirOwnObject) {
  int destroyed = 0;
  CefRef<cef_render_process_handler_t> handler_a = CefNew<RenderHandler>(destroyed);
  CefRef<cef_render_process_handler_t> handler_b = CefNew<RenderHandler>(destroyed);
  {
    CefRef<cef_app_t> app_a = CefNew<App>(destroyed, handler_a);
    CefRef<cef_app_t> app_b = CefNew<App>(destroyed, handler_b);

    // The engine calls through the struct and gets a reference it releases.
    CefRef<cef_render_process_handler_t> got_a =
        CefAdopt(app_a->get_render_process_handler(app_a.get()));
    CefRef<cef_render_process_handler_t> got_b =
        CefAdopt(app_b->get_render_process_handler(app_b.get()));
    EXPECT_EQ(got_a, handler_a);
    EXPECT_EQ(got_b, handler_b);
    EXPECT_EQ(App::FromSelf(app_a.get()), App::FromSelf(Base(app_a.get())));
    EXPECT_NE(App::FromSelf(app_a.get()), App::FromSelf(app_b.get()));
  }
  EXPECT_EQ(destroyed, 2);  // both apps; the handlers are still ours
  cef_base_ref_counted_t* base = Base(handler_a.get());
  EXPECT_EQ(base->has_one_ref(base), 1);
}

TEST(CefObject, ViewsDelegateWorksThroughItsNestedBases) {
  int destroyed = 0;
  {
    CefRef<cef_window_delegate_t> narrow = CefNew<WindowDelegate>(destroyed, 40);
    CefRef<cef_window_delegate_t> wide = CefNew<WindowDelegate>(destroyed, 400);
    cef_window_delegate_t* w = wide.get();
    EXPECT_EQ(w->base.base.base.size, sizeof(cef_window_delegate_t));

    cef_view_delegate_t* as_view = &narrow->base.base;
    cef_size_t size = as_view->get_preferred_size(as_view, nullptr);
    EXPECT_EQ(size.width, 40);
    EXPECT_EQ(size.height, 80);

    auto* window = reinterpret_cast<cef_window_t*>(0x1000);
    EXPECT_EQ(narrow->is_frameless(narrow.get(), window), 0);
    EXPECT_EQ(w->is_frameless(w, window), 1);
    EXPECT_EQ(WindowDelegate::FromSelf(w)->last_window, window);
    EXPECT_EQ(WindowDelegate::FromSelf(narrow.get())->last_window, window);
    EXPECT_EQ(WindowDelegate::FromSelf(as_view), WindowDelegate::FromSelf(narrow.get()));
  }
  EXPECT_EQ(destroyed, 2);
}

TEST(CefObject, CountingIsSafeAcrossThreads) {
  int destroyed = 0;
  CefRef<cef_render_process_handler_t> handler = CefNew<RenderHandler>(destroyed);
  std::vector<std::thread> threads;
  for (int t = 0; t < 4; ++t) {
    threads.emplace_back([raw = handler.get()] {
      for (int i = 0; i < 20000; ++i) {
        CefRef<cef_render_process_handler_t> copy =
            CefRef<cef_render_process_handler_t>::Retain(raw);
      }
    });
  }
  for (std::thread& thread : threads) thread.join();
  cef_base_ref_counted_t* base = Base(handler.get());
  EXPECT_EQ(base->has_one_ref(base), 1);
  EXPECT_EQ(destroyed, 0);
  handler.Reset();
  EXPECT_EQ(destroyed, 1);
}
