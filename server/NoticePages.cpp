#include "NoticePages.h"

#include "Store.h"

#include <SQLiteCpp/SQLiteCpp.h>

#include <cstdlib>

namespace hq {

namespace {

const std::string *queryValue(const Query &query, const char *key)
{
    for (const auto &item : query)
        if (item.first == key)
            return &item.second;
    return nullptr;
}

// A notice number: digits only, at least 1.
bool parseNumber(const std::string *text, long long &number)
{
    if (!text || text->empty() || text->size() > 18)
        return false;
    for (char c : *text)
        if (c < '0' || c > '9')
            return false;
    number = std::strtoll(text->c_str(), nullptr, 10);
    return number > 0;
}

std::string displayDate(const std::string &date)
{
    if (date.size() == 8)
        return date.substr(0, 4) + "-" + date.substr(4, 2) + "-" + date.substr(6, 2);
    return date;
}

std::string pageHead(const std::string &title)
{
    return "<!DOCTYPE html>\n<html lang=\"ko\"><head><meta charset=\"utf-8\">"
           "<title>" + htmlEscape(title) + "</title>"
           "<style>body{font-family:'NanumGothic',sans-serif;margin:12px;font-size:14px}"
           "h1{font-size:18px;margin:0 0 4px}.date{color:#666;margin-bottom:12px}</style>"
           "</head><body>\n";
}

void notFound(Page &page)
{
    page.status = 404;
    page.contentType = "text/html; charset=utf-8";
    page.body = pageHead("공지사항") + "<p>요청한 공지사항이 없습니다.</p>\n</body></html>\n";
}

void noticePage(Store &store, const Query &query, Page &page)
{
    const std::string *storeCode = queryValue(query, "mrbuut");
    const std::string *company = queryValue(query, "reqWCode");
    long long number = 0;
    if (!storeCode || !company || !parseNumber(queryValue(query, "fbnumb"), number)) {
        notFound(page);
        return;
    }
    Store::Lease lease = store.acquire();
    SQLite::Statement st(lease.db(),
                         "SELECT FBDATE, FBTITL, FBTEXT FROM F4500"
                         " WHERE FBCMCD = ?1 AND FBNUMB = ?2 AND (FBBUUT = '' OR FBBUUT = ?3)"
                         " AND FBUSFL = 1");
    st.bind(1, *company);
    st.bind(2, static_cast<int64_t>(number));
    st.bind(3, *storeCode);
    if (!st.executeStep()) {
        notFound(page);
        return;
    }
    const std::string title = st.getColumn(1).getString();
    page.status = 200;
    page.contentType = "text/html; charset=utf-8";
    page.body = pageHead(title) + "<h1>" + htmlEscape(title) + "</h1>\n<div class=\"date\">"
                + htmlEscape(displayDate(st.getColumn(0).getString())) + "</div>\n<div class=\"body\">"
                + st.getColumn(2).getString() // the body is HTML written by the head office
                + "</div>\n</body></html>\n";
}

void supportPage(Page &page)
{
    page.status = 200;
    page.contentType = "text/html; charset=utf-8";
    page.body = pageHead("본사 원격 지원")
                + "<h1>본사 원격 지원</h1>\n"
                  "<p>단말기 사용 중 문제가 생기면 본사 전산 지원 담당자에게 연락하세요.</p>\n"
                  "<ul><li>연락할 때 지점 코드와 단말기 번호(로그인 화면 위쪽)를 알려 주세요.</li>\n"
                  "<li>화면에 나온 메시지를 그대로 전해 주시면 빨리 도와드릴 수 있습니다.</li>\n"
                  "<li>지원 시간: 평일 09:00 ~ 18:00</li></ul>\n"
                  "</body></html>\n";
}

} // namespace

std::string htmlEscape(const std::string &text)
{
    std::string out;
    out.reserve(text.size());
    for (char c : text) {
        switch (c) {
        case '&': out += "&amp;"; break;
        case '<': out += "&lt;"; break;
        case '>': out += "&gt;"; break;
        case '"': out += "&quot;"; break;
        case '\'': out += "&#39;"; break;
        default: out += c;
        }
    }
    return out;
}

PageHandler noticePages(Store &store)
{
    return [&store](const std::string &path, const Query &query, Page &page) {
        if (path == kNoticePage) {
            noticePage(store, query, page);
            return true;
        }
        if (path == kSupportPage) {
            supportPage(page);
            return true;
        }
        return false;
    };
}

} // namespace hq
