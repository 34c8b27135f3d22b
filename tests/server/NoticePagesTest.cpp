// The notice and support pages of the server, asked as the terminal's notice
// board asks them: only what the notice list shows the store is served.

#include "support/TestServer.h"

#include "NoticePages.h"
#include "Store.h"

#include <SQLiteCpp/Database.h>

#include <gtest/gtest.h>

namespace {

class NoticePages : public TestServerSuite {
protected:

    static hq::Page get(const std::string &path, const hq::Query &query)
    {
        hq::Page page;
        EXPECT_TRUE(hq::noticePages(server().store())(path, query, page)) << path;
        return page;
    }

    static hq::Query notice(const std::string &store, const std::string &number, const std::string &company)
    {
        return {{"mrbuut", store}, {"fbnumb", number}, {"reqWCode", company}};
    }
};

TEST_F(NoticePages, VisibleNoticeIsServedWithEscapedTitleAndStoredBody)
{
    exec("DELETE FROM F4500 WHERE FBCMCD = '9999' AND FBNUMB >= 90;"
         "INSERT INTO F4500 (FBCMCD, FBNUMB, FBBUUT, FBDATE, FBTITL, FBTEXT) VALUES"
         " ('9999', 90, '', '20310305', '<b>가격</b> & \"변경\"', '<p>본문 <i>강조</i></p>');");
    const hq::Page page = get(hq::kNoticePage, notice("9999", "90", "9999"));
    EXPECT_EQ(page.status, 200);
    EXPECT_EQ(page.contentType, "text/html; charset=utf-8");
    EXPECT_NE(page.body.find("<h1>&lt;b&gt;가격&lt;/b&gt; &amp; &quot;변경&quot;</h1>"), std::string::npos) << page.body;
    EXPECT_NE(page.body.find("2031-03-05"), std::string::npos);
    EXPECT_NE(page.body.find("<p>본문 <i>강조</i></p>"), std::string::npos);
    exec("DELETE FROM F4500 WHERE FBCMCD = '9999' AND FBNUMB >= 90;");
}

TEST_F(NoticePages, NoticesTheListWouldNotShowAreNotFound)
{
    exec("DELETE FROM F4500 WHERE FBCMCD = '9999' AND FBNUMB >= 90;"
         "INSERT INTO F4500 (FBCMCD, FBNUMB, FBBUUT, FBDATE, FBTITL, FBTEXT, FBUSFL) VALUES"
         " ('9999', 91, '', '20310305', '숨김', 'x', 0),"
         " ('9999', 92, '0003', '20310305', '다른 지점', 'x', 1),"
         " ('9999', 93, '9999', '20310305', '우리 지점', 'x', 1);");
    struct Case {
        const char *what;
        hq::Query query;
        int status;
    };
    const Case cases[] = {
        {"own store's notice", notice("9999", "93", "9999"), 200},
        {"every store's notice", notice("0003", "1", "9999"), 200},
        {"hidden", notice("9999", "91", "9999"), 404},
        {"another store's", notice("9999", "92", "9999"), 404},
        {"unknown number", notice("9999", "999", "9999"), 404},
        {"another company", notice("9999", "1", "0001"), 404},
        {"number not a number", notice("9999", "1 OR 1=1", "9999"), 404},
        {"number zero", notice("9999", "0", "9999"), 404},
        {"no store key", {{"fbnumb", "1"}, {"reqWCode", "9999"}}, 404},
    };
    for (const Case &c : cases) {
        const hq::Page page = get(hq::kNoticePage, c.query);
        EXPECT_EQ(page.status, c.status) << c.what;
        EXPECT_EQ(page.contentType, "text/html; charset=utf-8") << c.what;
    }
    exec("DELETE FROM F4500 WHERE FBCMCD = '9999' AND FBNUMB >= 90;");
}

TEST_F(NoticePages, SupportPageAndOtherPaths)
{
    const hq::Page support = get(hq::kSupportPage, {});
    EXPECT_EQ(support.status, 200);
    EXPECT_NE(support.body.find("본사 원격 지원"), std::string::npos);

    hq::Page other;
    EXPECT_FALSE(hq::noticePages(server().store())("/BIN2", {}, other));
}

} // namespace
