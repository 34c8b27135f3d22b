#pragma once
// SQL that writes stock-moving documents of company 9999 straight into a test
// store, one line each, in the item's base unit: an opening balance, a
// receipt, a release (type "001" release, "005" discard ...) and a
// production with its loss. A document is numbered `number` in the month of
// its day ("yyyymmdd"); run the texts with TestServerSuite::exec.

#include <string>

namespace stockdocs {

inline std::string balance(const std::string &store, const std::string &item, const std::string &day, double qty)
{
    return "INSERT INTO F3400 (SKCMCD, SKBUUT, SKITNB, SKDATE, SKQTY) VALUES ('9999', '" + store + "', '" + item
           + "', '" + day + "', " + std::to_string(qty) + ");";
}

inline std::string documentKey(const std::string &store, const std::string &day, int number)
{
    return "'9999', '" + store + "', '" + day.substr(0, 6) + "', " + std::to_string(number);
}

inline std::string receipt(const std::string &store, int number, const std::string &item, const std::string &day,
                           double qty)
{
    const std::string key = documentKey(store, day, number);
    return "INSERT INTO F3100 (WHCMCD, WHBUUT, WHMONTH, WHNUMB, WHDATE) VALUES (" + key + ", '" + day + "');"
           + "INSERT INTO F3101 (WDCMCD, WDBUUT, WDMONTH, WDNUMB, WDSEQ, WDITNB, WDQTY) VALUES (" + key + ", 1, '"
           + item + "', " + std::to_string(qty) + ");";
}

inline std::string release(const std::string &store, int number, const std::string &type, const std::string &item,
                           const std::string &day, double qty)
{
    const std::string key = documentKey(store, day, number);
    return "INSERT INTO F3200 (DHCMCD, DHBUUT, DHMONTH, DHNUMB, DHDATE, DHCHTY) VALUES (" + key + ", '" + day + "', '"
           + type + "');" + "INSERT INTO F3201 (DDCMCD, DDBUUT, DDMONTH, DDNUMB, DDSEQ, DDITNB, DDQTY) VALUES ("
           + key + ", 1, '" + item + "', " + std::to_string(qty) + ");";
}

inline std::string production(const std::string &store, int number, const std::string &item, const std::string &day,
                              double qty, double loss)
{
    const std::string key = documentKey(store, day, number);
    return "INSERT INTO F3300 (RHCMCD, RHBUUT, RHMONTH, RHNUMB, RHDATE) VALUES (" + key + ", '" + day + "');"
           + "INSERT INTO F3301 (RDCMCD, RDBUUT, RDMONTH, RDNUMB, RDSEQ, RDITNB, RDQTY, RDLQTY) VALUES (" + key
           + ", 1, '" + item + "', " + std::to_string(qty) + ", " + std::to_string(loss) + ");";
}

} // namespace stockdocs
