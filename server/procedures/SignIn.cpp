// Terminal users, sign-in, rights of user groups and notices.

#include "Dispatcher.h"
#include "Passwords.h"
#include "procedures/Procedures.h"

namespace hq {

namespace {

void selectUserList(Call &call)
{
    // Never any password or barcode column.
    call.open({T("ABNAME", 50), T("UIADNB", 8), T("UIPUSR", 20), T("CDNAME", 50)},
              "SELECT COALESCE(e.ABNAME, ''), u.UIADNB, u.UIPUSR, COALESCE(g.CDNAME, '')"
              " FROM F0050 u"
              " LEFT JOIN F0100 e ON e.ABCMCD = u.UICMCD AND e.ABBUUT = u.UIBUUT AND e.ABADNB = u.UIADNB"
              " LEFT JOIN F0011 g ON g.CDCMCD = u.UICMCD AND g.CDGUCD = '040' AND g.CDSSCD = e.ABJIKG"
              " WHERE u.UICMCD = ?1 AND u.UIBUUT = ?2 AND u.UIUSFL = 1"
              " ORDER BY u.UISEQ, u.UIADNB",
              {"A_CMCD", "A_STCD"});
}

const char *const kFlags[] = {"UIYAUG", "UIJAUG", "UITAUG", "UIPAUG", "UIHAUG",
                              "UIKAUG", "UIMAUG", "UISAUG", "UIGAUG", "UIUAUG"};

// An active user of the store signs in by ID and password, or by barcode alone.
// Empty credentials never match anyone; a wrong password gives no row.
void selectLogin(Call &call)
{
    const QString user = call.text(QStringLiteral("A_USER")).trimmed();
    const QString password = call.text(QStringLiteral("A_PWD"));
    const QString barcode = call.text(QStringLiteral("A_BAR")).trimmed();

    Cols cols = {T("UIADNB", 8), T("ABNAME", 50), T("abuserw", 10)};
    for (const char *f : kFlags)
        cols.append(B(f));
    wire::Answer answer;
    for (const Col &c : cols)
        answer.columns.append({c.name, c.type, c.size});

    if (!user.isEmpty() || !barcode.isEmpty()) {
        SQLite::Statement st(call.db,
                             "SELECT u.UIADNB, COALESCE(e.ABNAME, ''), COALESCE(e.ABUSERW, ''),"
                             " u.UIYAUG, u.UIJAUG, u.UITAUG, u.UIPAUG, u.UIHAUG,"
                             " u.UIKAUG, u.UIMAUG, u.UISAUG, u.UIGAUG, u.UIUAUG,"
                             " u.UIPUSR, u.UIPWHASH, u.UIBAR"
                             " FROM F0050 u"
                             " LEFT JOIN F0100 e ON e.ABCMCD = u.UICMCD AND e.ABBUUT = u.UIBUUT AND e.ABADNB = u.UIADNB"
                             " WHERE u.UICMCD = ?1 AND u.UIBUUT = ?2 AND u.UIUSFL = 1"
                             " AND ((?3 <> '' AND u.UIPUSR = ?3) OR (?4 <> '' AND u.UIBAR = ?4))"
                             " ORDER BY u.UISEQ, u.UIADNB");
        bindText(st, 1, call.text(QStringLiteral("A_CMCD")));
        bindText(st, 2, call.text(QStringLiteral("A_STCD")));
        bindText(st, 3, user);
        bindText(st, 4, barcode);
        bool passwordChecked = false;
        while (st.executeStep()) {
            const QString pusr = QString::fromUtf8(st.getColumn(13).getText());
            const QString hash = QString::fromUtf8(st.getColumn(14).getText());
            const QString bar = QString::fromUtf8(st.getColumn(15).getText());
            const bool byBarcode = !barcode.isEmpty() && !bar.isEmpty() && bar == barcode;
            const bool idMatches = !user.isEmpty() && pusr == user;
            passwordChecked = passwordChecked || idMatches;
            const bool byPassword = idMatches && verifyPassword(hash, password);
            if (!byBarcode && !byPassword)
                continue;
            QVariantList row;
            for (int i = 0; i < int(cols.size()); ++i)
                row.append(readColumn(st, i, cols[i].type));
            answer.rows.append(row);
            break;
        }
        // An unknown ID costs a password check too, so that the time of the
        // answer does not tell which IDs exist.
        if (!user.isEmpty() && !passwordChecked && answer.rows.isEmpty()) {
            SQLite::Statement any(call.db, "SELECT UIPWHASH FROM F0050 WHERE UIPWHASH <> '' LIMIT 1");
            verifyAgainstDummy(any.executeStep() ? QString::fromUtf8(any.getColumn(0).getText()) : QString(),
                               password);
        }
    }
    call.answer = answer;
}

void selectRights(Call &call)
{
    call.open({T("slpgid", 40), B("uaug"), B("reau"), B("wrau"), B("deau")},
              "SELECT SLPGID, SLUAUG, SLREAU, SLWRAU, SLDEAU FROM F0030"
              " WHERE SLCMCD = ?1 AND SLUSGR = ?2 AND ?2 <> '' ORDER BY SLPGID",
              {"A_CMCD", "A_USGR"});
}

// The notice list (FBNUMB 0) or one notice, for this store or every store,
// newest first; the sign-in screen has 31 places.
void selectNotices(Call &call)
{
    call.open({T("FBDATE2", 10), T("FBTITL", 100), I("FBNUMB")},
              "SELECT CASE WHEN length(FBDATE) = 8 THEN substr(FBDATE, 1, 4) || '-' || substr(FBDATE, 5, 2)"
              " || '-' || substr(FBDATE, 7, 2) ELSE FBDATE END, FBTITL, FBNUMB"
              " FROM F4500 WHERE FBCMCD = ?1 AND (FBBUUT = '' OR FBBUUT = ?2) AND FBUSFL = 1"
              " AND (?3 <= 0 OR FBNUMB = ?3)"
              " ORDER BY FBDATE DESC, FBNUMB DESC LIMIT 31",
              [&](SQLite::Statement &st) {
                  bindText(st, 1, call.text(QStringLiteral("FBCMCD")));
                  bindText(st, 2, call.text(QStringLiteral("FBBUUT")));
                  st.bind(3, static_cast<int64_t>(call.integer(QStringLiteral("FBNUMB"))));
              });
}

} // namespace

void registerSignInProcedures(Registry &registry)
{
    registry.add(QStringLiteral("GP_SELECT_F0050_POS_USERLIST"), false, selectUserList);
    registry.add(QStringLiteral("GP_SELECT_F0050_POS_LOGIN"), false, selectLogin);
    registry.add(QStringLiteral("GP_SELECT_F0030_RALD"), false, selectRights);
    registry.add(QStringLiteral("GP_SELECT_F4500_POS_NOTICE"), false, selectNotices);
}

} // namespace hq
