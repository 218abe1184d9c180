#pragma once

// Recording fakes of the platform services, and a scope that puts them all in
// force. Message boxes are answered from a queue; an unexpected one fails.

#include "platform/Services.h"

#include <deque>
#include <functional>
#include <map>
#include <string>
#include <utility>
#include <vector>

namespace fakes
{

struct ShownMessage {
    std::string text;
    platform::MsgIcon icon;
    platform::MsgButtons buttons;
};

class Shell final : public platform::Shell
{
  public:
    void openUrl(const std::string &url, const std::function<void()> &notOpened) override
    {
        opened.push_back(url);
        if (!opens && notOpened)
            notOpened();
    }
    std::vector<std::string> opened;
    bool opens = true; // false: as where no browser can be started
};

class Store final : public platform::UserStore
{
  public:
    std::optional<std::string> read(const std::string &section, const std::string &name) override
    {
        auto it = values.find({section, name});
        if (it == values.end())
            return std::nullopt;
        return it->second;
    }
    bool write(const std::string &section, const std::string &name, const std::string &value) override
    {
        if (writesLeft == 0) {
            if (refusesOnce)
                writesLeft = -1;
            return false;
        }
        if (writesLeft > 0)
            --writesLeft;
        values[{section, name}] = value;
        ++writes;
        return true;
    }
    std::map<std::pair<std::string, std::string>, std::string> values;
    int writesLeft = -1;      // -1: unlimited; n: the (n+1)th write is refused
    bool refusesOnce = false; // and the writes after it taken again (a lock held a moment)
    int writes = 0;
};

class InstanceLock final : public platform::InstanceLock
{
  public:
    bool acquire() override { return !heldElsewhere; }
    bool heldElsewhere = false;
};

class Calendar final : public platform::Calendar
{
  public:
    QDate today() override { return date; }
    // ISO form, so tests read what was written, or the form given, which
    // reads back for today alone.
    std::string formatDate(QDate d) override { return form ? form(d) : d.toString(Qt::ISODate).toStdString(); }
    QDate parseDate(const std::string &text) override
    {
        if (form && text == form(date))
            return date;
        return QDate::fromString(QString::fromStdString(text), Qt::ISODate);
    }
    QDate date{2026, 12, 7};
    std::function<std::string(QDate)> form;
};

class MessageBoxes final : public platform::MessageBoxes
{
  public:
    platform::MsgAnswer ask(const std::string &text, platform::MsgIcon icon, platform::MsgButtons buttons) override
    {
        shown.push_back({text, icon, buttons});
        if (onShow)
            onShow();
        if (!answers.empty()) {
            auto a = answers.front();
            answers.pop_front();
            return a;
        }
        return buttons == platform::MsgButtons::YesNo ? platform::MsgAnswer::Yes : platform::MsgAnswer::Ok;
    }
    std::vector<ShownMessage> shown;
    std::deque<platform::MsgAnswer> answers;
    std::function<void()> onShow; // runs while the box would be up
};

class Clipboard final : public platform::Clipboard
{
  public:
    bool ownsContent() override { return owned; }
    void clear() override
    {
        ++clears;
        hasData = false;
        owned = false;
    }
    bool owned = false;
    bool hasData = false;
    int clears = 0;
};

// All fakes in force for the life of the object.
struct All {
    All()
    {
        auto &s = platform::services();
        s.shell = &shell;
        s.store = &store;
        s.instanceLock = &instanceLock;
        s.calendar = &calendar;
        s.messageBoxes = &messageBoxes;
        s.clipboard = &clipboard;
    }
    platform::ServicesOverride restore; // constructed first, restores last
    Shell shell;
    Store store;
    InstanceLock instanceLock;
    Calendar calendar;
    MessageBoxes messageBoxes;
    Clipboard clipboard;
};

} // namespace fakes
