-- Demo purchase orders of store 9999 and the received orders they handed over
-- to the head-office unit 0001. T = the seeding day; each document lives under
-- the month of its own date. Order 90 was placed to 0001 in the previous month.

DELETE FROM F2101 WHERE PDCMCD = '9999';
DELETE FROM F2100 WHERE PHCMCD = '9999';
DELETE FROM F2401 WHERE ODCMCD = '9999' AND ODBUUT = '0001';
DELETE FROM F2400 WHERE OHCMCD = '9999' AND OHBUUT = '0001';

CREATE TEMP TABLE seed_po (numb INTEGER, day TEXT, adnb TEXT, pattern INTEGER, txgu TEXT, nydt TEXT, ohnumb INTEGER);
INSERT INTO seed_po VALUES
  (1, strftime('%Y%m%d', 'now', 'localtime', '-3 day'), '0001', 1, '1', strftime('%Y%m%d', 'now', 'localtime', '-2 day'), 1),
  (2, strftime('%Y%m%d', 'now', 'localtime', '-1 day'), '40000001', 3, '3', strftime('%Y%m%d', 'now', 'localtime'), NULL),
  (3, strftime('%Y%m%d', 'now', 'localtime'), '30000001', 2, '2', strftime('%Y%m%d', 'now', 'localtime', '+1 day'), NULL),
  (4, strftime('%Y%m%d', 'now', 'localtime'), '0001', 1, '1', strftime('%Y%m%d', 'now', 'localtime', '+1 day'), 2),
  (5, strftime('%Y%m%d', 'now', 'localtime'), '40000002', 999, '2', strftime('%Y%m%d', 'now', 'localtime', '+1 day'), NULL),
  (90, strftime('%Y%m%d', 'now', 'localtime', 'start of month', '-1 month', '+14 day'), '0001', 1, '1',
   strftime('%Y%m%d', 'now', 'localtime', 'start of month', '-1 month', '+15 day'), 3);

CREATE TEMP TABLE seed_pd (numb INTEGER, seq INTEGER, itnb TEXT, unit TEXT, qty REAL, uprc INTEGER);
INSERT INTO seed_pd VALUES
  (1, 1, '100001', 'EA', 20, 1800), (1, 2, '100002', 'EA', 30, 700),
  (2, 1, '500001', '포대', 2, 40000), (2, 2, '500002', 'KG', 5, 3000),
  (3, 1, '200001', 'BOX', 2, 8000),
  (4, 1, '100005', 'EA', 3, 12000),
  (5, 1, '600001', 'BOX', 1, 25000),
  (90, 1, '100002', 'EA', 10, 700);

INSERT INTO F2100 (PHCMCD, PHBUUT, PHMONTH, PHNUMB, PHYEAR, PHDATE, PHADNB, PHSEME, PHBIGO, PHNPJS, PHBADA, PHNYDT,
                   PHUAMT, PHADNUMB, PHPOID, PHTXGU, PHOHBUUT, PHOHMONTH, PHOHNUMB, PHWORK, PHPGID, PHLADT)
  SELECT '9999', '9999', substr(day, 1, 6), numb, substr(day, 1, 4), day, adnb, '001', '오전 납품 부탁드립니다',
         '데모지점 매장', '김관리', nydt,
         (SELECT CAST(SUM(qty * uprc) AS INTEGER) FROM seed_pd d WHERE d.numb = p.numb), pattern, '01', txgu,
         CASE WHEN ohnumb IS NULL THEN NULL ELSE '0001' END, CASE WHEN ohnumb IS NULL THEN NULL ELSE substr(day, 1, 6) END,
         ohnumb, '90000001', 'F652_RegOrder', datetime('now', 'localtime')
  FROM seed_po p;

-- Supply value and VAT by the order's tax kind: 1 VAT included, 2 VAT on top, else no VAT.
INSERT INTO F2101 (PDCMCD, PDBUUT, PDMONTH, PDNUMB, PDSEQ, PDITNB, PDUNIT, PDQTY, PDUPRC, PDAMT, PDGAMT, PDTAX,
                   PDBDAN, PDMDAN, PDLDAN, PDMCAL, PDWORK, PDPGID, PDLADT)
  SELECT '9999', '9999', substr(p.day, 1, 6), d.numb, d.seq, d.itnb, d.unit, d.qty, d.uprc, a.amt,
         CASE p.txgu WHEN '1' THEN a.amt * 10 / 11 ELSE a.amt END,
         CASE p.txgu WHEN '1' THEN a.amt - a.amt * 10 / 11 WHEN '2' THEN a.amt / 10 ELSE 0 END,
         i.IMBDAN, i.IMMDAN, i.IMLDAN, i.IMMCAL, '90000001', 'F652_RegOrder', datetime('now', 'localtime')
  FROM seed_pd d
  JOIN seed_po p ON p.numb = d.numb
  JOIN (SELECT numb, seq, CAST(qty * uprc AS INTEGER) AS amt FROM seed_pd) a ON a.numb = d.numb AND a.seq = d.seq
  JOIN F0200 i ON i.IMCMCD = '9999' AND i.IMBUUT = '9999' AND i.IMITNB = d.itnb;

-- The hand-overs: the head-office unit's received orders naming the orders placed to it.
INSERT INTO F2400 (OHCMCD, OHBUUT, OHMONTH, OHNUMB, OHYEAR, OHDATE, OHADNB, OHNYDT, OHTXGU, OHBABUUT, OHBAMONTH,
                   OHBANUMB, OHWORK, OHPGID, OHLADT)
  SELECT '9999', '0001', substr(day, 1, 6), ohnumb, substr(day, 1, 4), day, '9999', nydt, txgu, '9999',
         substr(day, 1, 6), numb, '90000001', 'F652_RegOrder', datetime('now', 'localtime')
  FROM seed_po WHERE ohnumb IS NOT NULL;

INSERT INTO F2401 (ODCMCD, ODBUUT, ODMONTH, ODNUMB, ODSEQ, ODITNB, ODUNIT, ODQTY, ODUPRC, ODAMT, ODGAMT, ODTAX,
                   ODBDAN, ODMDAN, ODLDAN, ODMCAL, ODBASEQ, ODLADT)
  SELECT '9999', '0001', PHOHMONTH, PHOHNUMB, PDSEQ, PDITNB, PDUNIT, PDQTY, PDUPRC, PDAMT, PDGAMT, PDTAX,
         PDBDAN, PDMDAN, PDLDAN, PDMCAL, PDSEQ, datetime('now', 'localtime')
  FROM F2100 JOIN F2101 ON PDCMCD = PHCMCD AND PDBUUT = PHBUUT AND PDMONTH = PHMONTH AND PDNUMB = PHNUMB
  WHERE PHCMCD = '9999' AND PHOHNUMB IS NOT NULL;

INSERT INTO SYS_NUMBER (NBCMCD, NBBUUT, NBGUBUN, NBMONTH, NBLAST)
  SELECT '9999', '9999', 10, PHMONTH, MAX(PHNUMB) FROM F2100 WHERE PHCMCD = '9999' GROUP BY PHMONTH
  ON CONFLICT (NBCMCD, NBBUUT, NBGUBUN, NBMONTH) DO UPDATE SET NBLAST = MAX(NBLAST, excluded.NBLAST);
INSERT INTO SYS_NUMBER (NBCMCD, NBBUUT, NBGUBUN, NBMONTH, NBLAST)
  SELECT '9999', '0001', 12, OHMONTH, MAX(OHNUMB) FROM F2400 WHERE OHCMCD = '9999' AND OHBUUT = '0001' GROUP BY OHMONTH
  ON CONFLICT (NBCMCD, NBBUUT, NBGUBUN, NBMONTH) DO UPDATE SET NBLAST = MAX(NBLAST, excluded.NBLAST);

DROP TABLE seed_po;
DROP TABLE seed_pd;
