#pragma once

#include <clocale>
#include <string>

namespace quorix::test_support {

// Puts the C library in a locale that writes 1,5 for one and a half, as a user's
// system may, for as long as it lives. Not every system has such a locale installed.
class DecimalCommaLocale {
public:
    DecimalCommaLocale()
    {
        if (const char* current = std::setlocale(LC_ALL, nullptr))
            m_previous = current;
        for (const char* name : {"de_DE.UTF-8", "de_DE.utf8", "German_Germany.1252", "de-DE"})
            if (std::setlocale(LC_ALL, name) && *std::localeconv()->decimal_point == ',')
                return;
        std::setlocale(LC_ALL, m_previous.c_str());
    }
    ~DecimalCommaLocale() { std::setlocale(LC_ALL, m_previous.c_str()); }
    DecimalCommaLocale(const DecimalCommaLocale&) = delete;
    DecimalCommaLocale& operator=(const DecimalCommaLocale&) = delete;

    bool active() const { return *std::localeconv()->decimal_point == ','; }

private:
    std::string m_previous = "C";
};

} // namespace quorix::test_support
