#pragma once

// The fakes of FakeServices.h and of the Qt-only topmost service, for tests of
// windows.

#include "platform/qt/QtServices.h"
#include "support/FakeServices.h"

namespace fakes
{

class Topmost final : public platform::Topmost
{
  public:
    void prepare(QWidget *) override { ++prepared; }
    void apply(QWidget *) override { ++applied; }
    int prepared = 0;
    int applied = 0;
};

// All fakes in force, the topmost one too, for the life of the object.
struct Gui : All {
    Gui() : saved(platform::qtServices()) { platform::qtServices().topmost = &topmost; }
    ~Gui() { platform::qtServices() = saved; }
    Gui(const Gui &) = delete;
    Gui &operator=(const Gui &) = delete;
    platform::QtServices saved;
    Topmost topmost;
};

} // namespace fakes
