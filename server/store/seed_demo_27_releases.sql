-- Demo stock-outs of store 9999 (company 9999): a tasting, a discard (with a
-- material line, so a reloaded material can be tried), a secondary material
-- and a gift, dated one or two days back and numbered in their month.
-- Releases to customers are not touched here.

DELETE FROM F3201 WHERE DDCMCD = '9999' AND EXISTS (SELECT 1 FROM F3200 h WHERE h.DHCMCD = F3201.DDCMCD
  AND h.DHBUUT = F3201.DDBUUT AND h.DHMONTH = F3201.DDMONTH AND h.DHNUMB = F3201.DDNUMB
  AND h.DHCHTY IN ('003', '004', '005', '010'));
DELETE FROM F3200 WHERE DHCMCD = '9999' AND DHCHTY IN ('003', '004', '005', '010');

CREATE TEMP TABLE seed_release (numb INTEGER, back INTEGER, chty TEXT, pgid TEXT);
INSERT INTO seed_release VALUES
  (2, 1, '004', 'F1009_TastePresent'),
  (3, 2, '005', 'F1007_TwoMaterialDisuse'),
  (4, 1, '010', 'F1007_TwoMaterialDisuse'),
  (5, 1, '003', 'F1009_TastePresent');

CREATE TEMP TABLE seed_release_line (numb INTEGER, seq INTEGER, item TEXT, unit TEXT, qty REAL);
INSERT INTO seed_release_line VALUES
  (2, 1, '100002', 'EA', 2),
  (3, 1, '100001', 'EA', 1),
  (3, 2, '500002', 'G', 500),
  (4, 1, '100003', 'EA', 3),
  (5, 1, '100004', 'EA', 1);

INSERT INTO F3200 (DHCMCD, DHBUUT, DHMONTH, DHNUMB, DHYEAR, DHDATE, DHADNB, DHCHTY, DHPOID, DHPDFL, DHKENUMB,
                   DHKMNUMB, DHWORK, DHPGID, DHLADT)
  SELECT '9999', '9999', strftime('%Y%m', 'now', 'localtime', '-' || back || ' day'), numb,
         strftime('%Y', 'now', 'localtime', '-' || back || ' day'),
         strftime('%Y%m%d', 'now', 'localtime', '-' || back || ' day'), '', chty, '99', 1, 0, 0, '90000001', pgid,
         datetime('now', 'localtime')
  FROM seed_release;

INSERT INTO F3201 (DDCMCD, DDBUUT, DDMONTH, DDNUMB, DDSEQ, DDITNB, DDUNIT, DDQTY, DDUPRC, DDAMT, DDGAMT, DDBDAN,
                   DDMDAN, DDLDAN, DDMCAL, DDIBNUMB, DDIBSEQ, DDSUMONTH, DDSUNUMB, DDSUSEQ, DDWORK, DDPGID, DDLADT)
  SELECT h.DHCMCD, h.DHBUUT, h.DHMONTH, h.DHNUMB, l.seq, l.item, l.unit, l.qty, 0, 0, 0, i.IMBDAN, i.IMMDAN,
         i.IMLDAN, i.IMMCAL, 0, 0, h.DHMONTH, 0, l.seq, h.DHWORK, h.DHPGID, h.DHLADT
  FROM seed_release_line l
  JOIN seed_release r ON r.numb = l.numb
  JOIN F3200 h ON h.DHCMCD = '9999' AND h.DHBUUT = '9999' AND h.DHNUMB = l.numb AND h.DHCHTY = r.chty
   AND h.DHMONTH = strftime('%Y%m', 'now', 'localtime', '-' || r.back || ' day')
  JOIN F0200 i ON i.IMCMCD = '9999' AND i.IMBUUT = '9999' AND i.IMITNB = l.item;

DROP TABLE seed_release_line;
DROP TABLE seed_release;
