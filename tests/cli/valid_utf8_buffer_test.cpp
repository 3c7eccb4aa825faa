#include "cli/valid_utf8_buffer.h"

#include <gtest/gtest.h>

#include <ostream>
#include <sstream>

using quorix::cli::ValidUtf8Buffer;

TEST(ValidUtf8Buffer, ReplacesWhatIsNotUtf8AndKeepsACharacterAFlushCut)
{
    std::stringbuf sink;
    {
        ValidUtf8Buffer buffer(sink);
        std::ostream out(&buffer);
        out << "\xE4" << std::flush; // the first byte of 中, the rest still to come
        EXPECT_EQ(sink.str(), "");
        out << "\xB8\xAD: a.json: bad \xFF\xFE byte\n";
        out << "no line end, flushed" << std::flush;
        EXPECT_EQ(sink.str(), "中: a.json: bad \xEF\xBF\xBD\xEF\xBF\xBD byte\nno line end, flushed");
        out << ", cut at the end \xE4\xB8";
    }
    EXPECT_EQ(sink.str(),
              "中: a.json: bad \xEF\xBF\xBD\xEF\xBF\xBD byte\nno line end, flushed, cut at the end \xEF\xBF\xBD");
}
