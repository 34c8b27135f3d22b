-- Demo productions and job orders of store 9999 (company 9999). T = the
-- seeding day; each document lives under the month of its own date.
--   production #1 (T-1, line 001): 우유식빵 20 with 1 lost, 단팥빵 30 with 2
--     lost, 식빵반죽 10,000 G
--   production #2 (T, line 002): 생크림케이크 5, 커스터드크림 1,500 G
--   job order #1 (T-1, produced and delivered T): 우유식빵 10, 단팥빵 20
--   job order #2 (T, no production or delivery day yet): 커스터드크림 2,000 G
-- Lines are in the item's base unit; a production line's cost RDWPRC is the
-- quantity times the recipe's unit cost MHEPRI (0 without a recipe).

DELETE FROM F3301 WHERE RDCMCD = '9999';
DELETE FROM F3300 WHERE RHCMCD = '9999';
DELETE FROM F3311 WHERE JDCMCD = '9999';
DELETE FROM F3310 WHERE JHCMCD = '9999';

CREATE TEMP TABLE seed_ph (numb INTEGER, day TEXT, linb TEXT);
INSERT INTO seed_ph VALUES
  (1, strftime('%Y%m%d', 'now', 'localtime', '-1 day'), '001'),
  (2, strftime('%Y%m%d', 'now', 'localtime'), '002');

CREATE TEMP TABLE seed_pd (numb INTEGER, seq INTEGER, itnb TEXT, qty REAL, loss REAL);
INSERT INTO seed_pd VALUES
  (1, 1, '100001', 20, 1), (1, 2, '100002', 30, 2), (1, 3, '300001', 10000, 0),
  (2, 1, '100005', 5, 0), (2, 2, '300002', 1500, 0);

INSERT INTO F3300 (RHCMCD, RHBUUT, RHMONTH, RHNUMB, RHYEAR, RHDATE, RHLINB, RHADNB, RHWORK, RHPGID, RHLADT)
  SELECT '9999', '9999', substr(day, 1, 6), numb, substr(day, 1, 4), day, linb, '90000001', '90000001',
         'F1003_Produce', datetime('now', 'localtime')
  FROM seed_ph;

INSERT INTO F3301 (RDCMCD, RDBUUT, RDMONTH, RDNUMB, RDSEQ, RDITNB, RDLINB, RDUNIT, RDQTY, RDBDAN, RDMDAN, RDLDAN,
                   RDMCAL, RDLQTY, RDCHNUMB, RDCHSEQ, RDIBNUMB, RDIBSEQ, RDWPRC, RDWORK, RDPGID, RDLADT)
  SELECT '9999', '9999', substr(h.day, 1, 6), d.numb, d.seq, d.itnb, h.linb, i.IMLDAN, d.qty, i.IMBDAN, i.IMMDAN,
         i.IMLDAN, i.IMMCAL, d.loss, 0, 0, 0, 0,
         d.qty * COALESCE((SELECT r.MHEPRI FROM F0230 r WHERE r.MHCMCD = '9999' AND r.MHBUUT = '9999'
                           AND r.MHITNB = d.itnb), 0),
         '90000001', 'F1003_Produce', datetime('now', 'localtime')
  FROM seed_pd d
  JOIN seed_ph h ON h.numb = d.numb
  JOIN F0200 i ON i.IMCMCD = '9999' AND i.IMBUUT = '9999' AND i.IMITNB = d.itnb;

CREATE TEMP TABLE seed_jh (numb INTEGER, day TEXT, sedate TEXT);
INSERT INTO seed_jh VALUES
  (1, strftime('%Y%m%d', 'now', 'localtime', '-1 day'), strftime('%Y%m%d', 'now', 'localtime')),
  (2, strftime('%Y%m%d', 'now', 'localtime'), '');

CREATE TEMP TABLE seed_jd (numb INTEGER, seq INTEGER, itnb TEXT, qty REAL);
INSERT INTO seed_jd VALUES
  (1, 1, '100001', 10), (1, 2, '100002', 20),
  (2, 1, '300002', 2000);

INSERT INTO F3310 (JHCMCD, JHBUUT, JHMONTH, JHNUMB, JHYEAR, JHDATE, JHSEDATE, JHNYDT, JHWORK, JHPGID, JHLADT)
  SELECT '9999', '9999', substr(day, 1, 6), numb, substr(day, 1, 4), day, sedate, sedate, '90000001',
         'F1301_JobOrder', datetime('now', 'localtime')
  FROM seed_jh;

INSERT INTO F3311 (JDCMCD, JDBUUT, JDMONTH, JDNUMB, JDSEQ, JDITNB, JDUNIT, JDQTY, JDMDAN, JDLDAN, JDMCAL, JDSUNUMB,
                   JDSUSEQ, JDWORK, JDPGID, JDLADT)
  SELECT '9999', '9999', substr(h.day, 1, 6), d.numb, d.seq, d.itnb, i.IMLDAN, d.qty, i.IMMDAN, i.IMLDAN, i.IMMCAL,
         0, 0, '90000001', 'F1301_JobOrder', datetime('now', 'localtime')
  FROM seed_jd d
  JOIN seed_jh h ON h.numb = d.numb
  JOIN F0200 i ON i.IMCMCD = '9999' AND i.IMBUUT = '9999' AND i.IMITNB = d.itnb;

INSERT INTO SYS_NUMBER (NBCMCD, NBBUUT, NBGUBUN, NBMONTH, NBLAST)
  SELECT '9999', '9999', 15, RHMONTH, MAX(RHNUMB) FROM F3300 WHERE RHCMCD = '9999' AND RHBUUT = '9999' GROUP BY RHMONTH
  ON CONFLICT (NBCMCD, NBBUUT, NBGUBUN, NBMONTH) DO UPDATE SET NBLAST = MAX(NBLAST, excluded.NBLAST);
INSERT INTO SYS_NUMBER (NBCMCD, NBBUUT, NBGUBUN, NBMONTH, NBLAST)
  SELECT '9999', '9999', 14, JHMONTH, MAX(JHNUMB) FROM F3310 WHERE JHCMCD = '9999' AND JHBUUT = '9999' GROUP BY JHMONTH
  ON CONFLICT (NBCMCD, NBBUUT, NBGUBUN, NBMONTH) DO UPDATE SET NBLAST = MAX(NBLAST, excluded.NBLAST);

DROP TABLE seed_jd;
DROP TABLE seed_jh;
DROP TABLE seed_pd;
DROP TABLE seed_ph;
