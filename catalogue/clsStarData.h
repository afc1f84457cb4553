#pragma once
// One event of the catalogue: title, detail, the date it happens at (a
// stardate or an Earth date) and where it comes from.

#include "catalogue/TaggedValue.h"

#include <string>

class clsStarData {
public:
    // What a Null source reads.
    static constexpr const char* kNullSource = "Nothing";

    void Detail(std::string sDetail) { m_detail = std::move(sDetail); }
    const std::string& Detail() const { return m_detail; }

    bool IsStarDate() const { return m_isStarDate; }

    // A number when IsStarDate(), otherwise a date. Writing a date stores an
    // Earth date; anything else must convert to a stardate number, or the
    // write throws quorvane::ConversionError and the record stays as it was.
    quorvane::TaggedValue SEDate() const;
    void SEDate(const quorvane::TaggedValue& vDate);

    // Null reads "Nothing"; other values are kept in their text form. An
    // error value throws quorvane::ConversionError and changes nothing.
    void Source(const quorvane::TaggedValue& sSource);
    // The same, taking over a text instead of copying it.
    void Source(quorvane::TaggedValue&& sSource);
    quorvane::TaggedValue Source() const { return quorvane::TaggedValue::Text(m_source); }

    const std::string& Title() const { return m_title; }
    void Title(std::string sTitle) { m_title = std::move(sTitle); }

    // Hands the three texts over whole, for a record read into another
    // form; the record keeps no useful text.
    void TakeTexts(std::string& title, std::string& detail, std::string& source) {
        title = std::move(m_title);
        detail = std::move(m_detail);
        source = std::move(m_source);
    }

private:
    std::string m_title;
    std::string m_detail;
    quorvane::DateValue m_earthDate;
    double m_starDate = 0;
    std::string m_source;
    bool m_isStarDate = false;
};
