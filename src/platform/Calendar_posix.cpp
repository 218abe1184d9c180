#include "platform/Backends.h"

namespace platform
{
namespace
{

// ISO 8601, which reads back the same in every locale and every year.
class IsoCalendar final : public Calendar
{
    QDate today() override { return QDate::currentDate(); }
    std::string formatDate(QDate date) override { return date.toString(Qt::ISODate).toStdString(); }
    QDate parseDate(const std::string &text) override
    {
        return QDate::fromString(QString::fromStdString(text), Qt::ISODate);
    }
};

} // namespace

Calendar &hostCalendar()
{
    static IsoCalendar calendar;
    return calendar;
}

} // namespace platform
