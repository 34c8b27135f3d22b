-- Demo productions for the production reports: several days on both
-- production lines, one a pattern production mixing lines, and three months
-- for the totals by item. T = the seeding day. Every day lies before the
-- start of last month, the day of the demo opening balances, so these
-- productions change no stock that the demo's other screens show.
--   #100 (T-70, line 001): 우유식빵 30, 단팥빵 40 with 2 lost
--   #101 (T-70, line 002): 생크림케이크 6
--   #102 (T-68, line 001): 우유식빵 24.5, 소보로빵 36
--   #103 (T-66, a pattern mixing lines): 크림빵 20 on 001, 고구마케이크 4 on 002
--   #104 (T-65, line 001): 우유식빵 28, 단팥빵 30 with 1 lost
--   #105 (T-98, line 001): 우유식빵 26, 소보로빵 30
--   #106 (T-98, line 002): 생크림케이크 5
--   #107 (T-128, line 001): 우유식빵 22, 단팥빵 25
--   #108 (T-128, line 002): 고구마케이크 3 with 1 lost
-- Numbered in the month of their day; only these rows are deleted here.

CREATE TEMP TABLE seed_rp (numb INTEGER, day TEXT, linb TEXT, pgid TEXT);
INSERT INTO seed_rp VALUES
  (100, strftime('%Y%m%d', 'now', 'localtime', '-70 days'), '001', 'F1003_Produce'),
  (101, strftime('%Y%m%d', 'now', 'localtime', '-70 days'), '002', 'F1003_Produce'),
  (102, strftime('%Y%m%d', 'now', 'localtime', '-68 days'), '001', 'F1003_Produce'),
  (103, strftime('%Y%m%d', 'now', 'localtime', '-66 days'), '001', 'F1012_ProducePattern'),
  (104, strftime('%Y%m%d', 'now', 'localtime', '-65 days'), '001', 'F1003_Produce'),
  (105, strftime('%Y%m%d', 'now', 'localtime', '-98 days'), '001', 'F1003_Produce'),
  (106, strftime('%Y%m%d', 'now', 'localtime', '-98 days'), '002', 'F1003_Produce'),
  (107, strftime('%Y%m%d', 'now', 'localtime', '-128 days'), '001', 'F1003_Produce'),
  (108, strftime('%Y%m%d', 'now', 'localtime', '-128 days'), '002', 'F1003_Produce');

CREATE TEMP TABLE seed_rpl (numb INTEGER, seq INTEGER, itnb TEXT, linb TEXT, qty REAL, loss REAL);
INSERT INTO seed_rpl VALUES
  (100, 1, '100001', '001', 30, 0), (100, 2, '100002', '001', 40, 2),
  (101, 1, '100005', '002', 6, 0),
  (102, 1, '100001', '001', 24.5, 0), (102, 2, '100003', '001', 36, 0),
  (103, 1, '100004', '001', 20, 0), (103, 2, '100006', '002', 4, 0),
  (104, 1, '100001', '001', 28, 0), (104, 2, '100002', '001', 30, 1),
  (105, 1, '100001', '001', 26, 0), (105, 2, '100003', '001', 30, 0),
  (106, 1, '100005', '002', 5, 0),
  (107, 1, '100001', '001', 22, 0), (107, 2, '100002', '001', 25, 0),
  (108, 1, '100006', '002', 3, 1);

DELETE FROM F3301 WHERE RDCMCD = '9999' AND RDBUUT = '9999'
  AND EXISTS (SELECT 1 FROM seed_rp h WHERE h.numb = RDNUMB AND substr(h.day, 1, 6) = RDMONTH);
DELETE FROM F3300 WHERE RHCMCD = '9999' AND RHBUUT = '9999'
  AND EXISTS (SELECT 1 FROM seed_rp h WHERE h.numb = RHNUMB AND substr(h.day, 1, 6) = RHMONTH);

INSERT INTO F3300 (RHCMCD, RHBUUT, RHMONTH, RHNUMB, RHYEAR, RHDATE, RHLINB, RHADNB, RHWORK, RHPGID, RHLADT)
  SELECT '9999', '9999', substr(day, 1, 6), numb, substr(day, 1, 4), day, linb, '90000001', '90000001', pgid,
         datetime('now', 'localtime')
  FROM seed_rp;

-- Raw-material cost: the recipe's cost of what was made where the item has
-- one (as production entry sends it), else nothing.
INSERT INTO F3301 (RDCMCD, RDBUUT, RDMONTH, RDNUMB, RDSEQ, RDITNB, RDLINB, RDUNIT, RDQTY, RDBDAN, RDMDAN, RDLDAN,
                   RDMCAL, RDLQTY, RDCHNUMB, RDCHSEQ, RDIBNUMB, RDIBSEQ, RDWPRC, RDBPRC, RDWORK, RDPGID, RDLADT)
  SELECT '9999', '9999', substr(h.day, 1, 6), d.numb, d.seq, d.itnb, d.linb, i.IMLDAN, d.qty, i.IMBDAN, i.IMMDAN,
         i.IMLDAN, i.IMMCAL, d.loss, 0, 0, 0, 0,
         COALESCE((SELECT ROUND(d.qty * r.MHEPRI, 4) FROM F0230 r
                   WHERE r.MHCMCD = '9999' AND r.MHBUUT = '9999' AND r.MHITNB = d.itnb), 0),
         0, '90000001', h.pgid, datetime('now', 'localtime')
  FROM seed_rpl d
  JOIN seed_rp h ON h.numb = d.numb
  JOIN F0200 i ON i.IMCMCD = '9999' AND i.IMBUUT = '9999' AND i.IMITNB = d.itnb;

INSERT INTO SYS_NUMBER (NBCMCD, NBBUUT, NBGUBUN, NBMONTH, NBLAST)
  SELECT '9999', '9999', 15, substr(day, 1, 6), MAX(numb) FROM seed_rp GROUP BY substr(day, 1, 6)
  ON CONFLICT (NBCMCD, NBBUUT, NBGUBUN, NBMONTH) DO UPDATE SET NBLAST = MAX(NBLAST, excluded.NBLAST);

DROP TABLE seed_rpl;
DROP TABLE seed_rp;
