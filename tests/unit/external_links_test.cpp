// Tests of the external links file.
#include "help/external_links.h"

#include <gtest/gtest.h>

TEST(ExternalLinks, ReadsUpToSixTitledAddresses) {
    const auto links = parse_external_links("' comment\r\n"
                                            "# another\n"
                                            "  Manual | https://example.org/a?b=c|d  \n"
                                            "no bar here\n"
                                            " | https://no.title\n"
                                            "No address |\n"
                                            "B\x01"
                                            "ad | x\n"
                                            "2|b\n3|c\n4|d\n5|e\n6|f\n7|g\n");
    ASSERT_EQ(links.size(), 6u);
    EXPECT_EQ(links[0].title, "Manual");
    EXPECT_EQ(links[0].address, "https://example.org/a?b=c|d");
    EXPECT_EQ(links[1].title, "2");
    EXPECT_EQ(links[5].address, "f");
    EXPECT_TRUE(parse_external_links("").empty());
}

TEST(ExternalLinks, TextReadsBackUnchanged) {
    const std::vector<ExternalLink> links{{"Forum", "https://example.org/forum"},
                                          {"Manual", "file:///home/u/manual.pdf"}};
    const auto read = parse_external_links(external_links_text(links));
    ASSERT_EQ(read.size(), 2u);
    EXPECT_EQ(read[1].title, "Manual");
    EXPECT_EQ(read[1].address, "file:///home/u/manual.pdf");
}
