-- Demo data of job-order entry at store 9999 (company 9999). T = the seeding
-- day; each document lives under the month of its own date. Numbered 50 so
-- that they never meet a number drawn by the screens or another seed.
--   job order #50 on the 10th of the previous month (produced and delivered
--     on the 11th): 소보로빵 12, 식빵반죽 5,000 G; found in the job-order list
--     once its range starts in that month
--   received order #50 (T, to deliver T) from 카페데모 20000001: 커스터드크림
--     8,000 G, a semi-product ordered in its base unit, for the received-order
--     search of T

CREATE TEMP TABLE seed_jo (day TEXT, sedate TEXT);
INSERT INTO seed_jo VALUES (strftime('%Y%m%d', 'now', 'localtime', 'start of month', '-1 month', '+9 days'),
                            strftime('%Y%m%d', 'now', 'localtime', 'start of month', '-1 month', '+10 days'));

DELETE FROM F3311 WHERE JDCMCD = '9999' AND JDBUUT = '9999' AND JDNUMB = 50
  AND JDMONTH = (SELECT substr(day, 1, 6) FROM seed_jo);
DELETE FROM F3310 WHERE JHCMCD = '9999' AND JHBUUT = '9999' AND JHNUMB = 50
  AND JHMONTH = (SELECT substr(day, 1, 6) FROM seed_jo);

CREATE TEMP TABLE seed_jod (seq INTEGER, itnb TEXT, qty REAL);
INSERT INTO seed_jod VALUES (1, '100003', 12), (2, '300001', 5000);

INSERT INTO F3310 (JHCMCD, JHBUUT, JHMONTH, JHNUMB, JHYEAR, JHDATE, JHSEDATE, JHNYDT, JHWORK, JHPGID, JHLADT)
  SELECT '9999', '9999', substr(day, 1, 6), 50, substr(day, 1, 4), day, sedate, sedate, '90000001', 'F1301_JobOrder',
         datetime('now', 'localtime')
  FROM seed_jo;

INSERT INTO F3311 (JDCMCD, JDBUUT, JDMONTH, JDNUMB, JDSEQ, JDITNB, JDUNIT, JDQTY, JDMDAN, JDLDAN, JDMCAL, JDSUNUMB,
                   JDSUSEQ, JDWORK, JDPGID, JDLADT)
  SELECT '9999', '9999', substr(h.day, 1, 6), 50, d.seq, d.itnb, i.IMLDAN, d.qty, i.IMMDAN, i.IMLDAN, i.IMMCAL, 0, 0,
         '90000001', 'F1301_JobOrder', datetime('now', 'localtime')
  FROM seed_jod d, seed_jo h
  JOIN F0200 i ON i.IMCMCD = '9999' AND i.IMBUUT = '9999' AND i.IMITNB = d.itnb;

INSERT INTO SYS_NUMBER (NBCMCD, NBBUUT, NBGUBUN, NBMONTH, NBLAST)
  SELECT '9999', '9999', 14, substr(day, 1, 6), 50 FROM seed_jo WHERE true
  ON CONFLICT (NBCMCD, NBBUUT, NBGUBUN, NBMONTH) DO UPDATE SET NBLAST = MAX(NBLAST, excluded.NBLAST);

-- The received order, priced and split as the other demo orders (tax kind 1).
CREATE TEMP TABLE seed_ro (day TEXT);
INSERT INTO seed_ro VALUES (strftime('%Y%m%d', 'now', 'localtime'));

DELETE FROM F2401 WHERE ODCMCD = '9999' AND ODBUUT = '9999' AND ODNUMB = 50
  AND ODMONTH = (SELECT substr(day, 1, 6) FROM seed_ro);
DELETE FROM F2400 WHERE OHCMCD = '9999' AND OHBUUT = '9999' AND OHNUMB = 50
  AND OHMONTH = (SELECT substr(day, 1, 6) FROM seed_ro);

INSERT INTO F2400 (OHCMCD, OHBUUT, OHMONTH, OHNUMB, OHYEAR, OHDATE, OHADNB, OHNYDT, OHTXGU, OHEDFL, OHPOID, OHWORK,
                   OHPGID, OHLADT)
  SELECT '9999', '9999', substr(day, 1, 6), 50, substr(day, 1, 4), day, '20000001', day, '1', 0, '99', '90000001',
         'F10051_deliver', datetime('now', 'localtime')
  FROM seed_ro;

INSERT INTO F2401 (ODCMCD, ODBUUT, ODMONTH, ODNUMB, ODSEQ, ODITNB, ODUNIT, ODQTY, ODUPRC, ODAMT, ODGAMT, ODTAX,
                   ODBDAN, ODMDAN, ODLDAN, ODMCAL, ODLADT)
  SELECT '9999', '9999', substr(o.day, 1, 6), 50, 1, i.IMITNB, i.IMLDAN, 8000, i.IMPRC2,
         CAST(8000 * i.IMPRC2 AS INTEGER), CAST(8000 * i.IMPRC2 AS INTEGER) * 10 / 11,
         CAST(8000 * i.IMPRC2 AS INTEGER) - CAST(8000 * i.IMPRC2 AS INTEGER) * 10 / 11,
         i.IMBDAN, i.IMMDAN, i.IMLDAN, i.IMMCAL, datetime('now', 'localtime')
  FROM seed_ro o
  JOIN F0200 i ON i.IMCMCD = '9999' AND i.IMBUUT = '9999' AND i.IMITNB = '300002';

INSERT INTO SYS_NUMBER (NBCMCD, NBBUUT, NBGUBUN, NBMONTH, NBLAST)
  SELECT '9999', '9999', 12, substr(day, 1, 6), 50 FROM seed_ro WHERE true
  ON CONFLICT (NBCMCD, NBBUUT, NBGUBUN, NBMONTH) DO UPDATE SET NBLAST = MAX(NBLAST, excluded.NBLAST);

DROP TABLE seed_ro;
DROP TABLE seed_jod;
DROP TABLE seed_jo;
