#include "catalogue/clsStarData.h"

using quorvane::TaggedValue;

TaggedValue clsStarData::SEDate() const {
    return m_isStarDate ? TaggedValue::Number(m_starDate) : TaggedValue::Date(m_earthDate);
}

void clsStarData::SEDate(const TaggedValue& vDate) {
    if (vDate.is(TaggedValue::Kind::Date)) {
        m_earthDate = vDate.date();
        m_isStarDate = false;
        return;
    }
    m_starDate = quorvane::ToNumber(vDate);  // throws before anything changes
    m_isStarDate = true;
}

void clsStarData::Source(const TaggedValue& sSource) {
    m_source = sSource.is(TaggedValue::Kind::Null) ? std::string(kNullSource)
                                                   : quorvane::ToText(sSource);
}

void clsStarData::Source(TaggedValue&& sSource) {
    if (sSource.is(TaggedValue::Kind::Text)) {
        m_source = sSource.takeText();
        return;
    }
    Source(static_cast<const TaggedValue&>(sSource));
}
