#pragma once
// The pages the sign-in screen's notice board and its support button open:
//   "/mrboard/listentry_list_pos.asp?mrbuut=<store>&fbnumb=<n>&reqWCode=<company>"
//       one notice of F4500 as a UTF-8 HTML page (date, title, body as the
//       head office stored it), shown only when the notice list would show
//       it to that store: same company, the store's or every store's, in use.
//       Anything else (unknown, hidden, another store's, a bad number) is a
//       404 page.
//   "/support"  how a branch reaches head-office support.

#include "HqServer.h"

namespace hq {

class Store;

inline constexpr char kNoticePage[] = "/mrboard/listentry_list_pos.asp";
inline constexpr char kSupportPage[] = "/support";

// Answers both paths; other paths are left to the next handler. The store
// must outlive the server.
PageHandler noticePages(Store &store);

// Escapes &, <, >, " and ' for HTML text and attribute values.
std::string htmlEscape(const std::string &text);

} // namespace hq
