#include "clsPatient.h"

#include "JetDate.h"

QString clsPatient::CallDate() const
{
    const auto date = JetDate::Parse(m_callDate);
    return date ? date->toString(QStringLiteral("MM/dd/yyyy")) : m_callDate;
}
