-- Demo received orders of store 9999 (company 9999) and the release to a
-- customer behind one of them. T = the seeding day; each document lives under
-- the month of its own date.
--   #1 (T-1, to deliver T) from 가맹1호 0003: 100001 x 10, 100002 x 20, 100005 x 2 (open)
--   #2 (T, to deliver T+1) from 카페데모 20000001: 100004 x 15 (open)
--   #3 (T-5) from 직영2호 0004: 100003 x 10, released in full by release #1 (T-4)
--   #90 (the previous month) from 가맹1호 0003: 100002 x 5 (open)
-- Prices are the items' transfer prices.

DELETE FROM F2401 WHERE ODCMCD = '9999' AND ODBUUT = '9999';
DELETE FROM F2400 WHERE OHCMCD = '9999' AND OHBUUT = '9999';
DELETE FROM F3201 WHERE DDCMCD = '9999' AND DDBUUT = '9999' AND EXISTS (SELECT 1 FROM F3200 h
  WHERE h.DHCMCD = F3201.DDCMCD AND h.DHBUUT = F3201.DDBUUT AND h.DHMONTH = F3201.DDMONTH
  AND h.DHNUMB = F3201.DDNUMB AND h.DHCHTY = '001');
DELETE FROM F3200 WHERE DHCMCD = '9999' AND DHBUUT = '9999' AND DHCHTY = '001';

CREATE TEMP TABLE seed_so (numb INTEGER, day TEXT, nydt TEXT, adnb TEXT, txgu TEXT);
INSERT INTO seed_so VALUES
  (1, strftime('%Y%m%d', 'now', 'localtime', '-1 day'), strftime('%Y%m%d', 'now', 'localtime'), '0003', '1'),
  (2, strftime('%Y%m%d', 'now', 'localtime'), strftime('%Y%m%d', 'now', 'localtime', '+1 day'), '20000001', '1'),
  (3, strftime('%Y%m%d', 'now', 'localtime', '-5 day'), strftime('%Y%m%d', 'now', 'localtime', '-4 day'), '0004', '1'),
  (90, strftime('%Y%m%d', 'now', 'localtime', 'start of month', '-1 month', '+19 day'),
   strftime('%Y%m%d', 'now', 'localtime', 'start of month', '-1 month', '+20 day'), '0003', '1');

CREATE TEMP TABLE seed_sd (numb INTEGER, seq INTEGER, itnb TEXT, qty REAL);
INSERT INTO seed_sd VALUES
  (1, 1, '100001', 10), (1, 2, '100002', 20), (1, 3, '100005', 2),
  (2, 1, '100004', 15),
  (3, 1, '100003', 10),
  (90, 1, '100002', 5);

INSERT INTO F2400 (OHCMCD, OHBUUT, OHMONTH, OHNUMB, OHYEAR, OHDATE, OHADNB, OHNYDT, OHTXGU, OHEDFL, OHPOID, OHWORK,
                   OHPGID, OHLADT)
  SELECT '9999', '9999', substr(day, 1, 6), numb, substr(day, 1, 4), day, adnb, nydt, txgu, 0, '99', '90000001',
         'F10051_deliver', datetime('now', 'localtime')
  FROM seed_so;

-- Every order's tax kind is 1 (VAT included): supply = amount x 10 / 11, truncated.
INSERT INTO F2401 (ODCMCD, ODBUUT, ODMONTH, ODNUMB, ODSEQ, ODITNB, ODUNIT, ODQTY, ODUPRC, ODAMT, ODGAMT, ODTAX,
                   ODBDAN, ODMDAN, ODLDAN, ODMCAL, ODLADT)
  SELECT '9999', '9999', substr(o.day, 1, 6), d.numb, d.seq, d.itnb, i.IMLDAN, d.qty, i.IMPRC2,
         CAST(d.qty * i.IMPRC2 AS INTEGER), CAST(d.qty * i.IMPRC2 AS INTEGER) * 10 / 11,
         CAST(d.qty * i.IMPRC2 AS INTEGER) - CAST(d.qty * i.IMPRC2 AS INTEGER) * 10 / 11,
         i.IMBDAN, i.IMMDAN, i.IMLDAN, i.IMMCAL, datetime('now', 'localtime')
  FROM seed_sd d
  JOIN seed_so o ON o.numb = d.numb
  JOIN F0200 i ON i.IMCMCD = '9999' AND i.IMBUUT = '9999' AND i.IMITNB = d.itnb;

-- Release #1 (T-4) to 직영2호 of received order #3, all of it.
INSERT INTO F3200 (DHCMCD, DHBUUT, DHMONTH, DHNUMB, DHYEAR, DHDATE, DHADNB, DHCHTY, DHPOID, DHPDFL, DHKENUMB,
                   DHKMNUMB, DHWORK, DHPGID, DHLADT)
  VALUES ('9999', '9999', strftime('%Y%m', 'now', 'localtime', '-4 day'), 1, strftime('%Y', 'now', 'localtime', '-4 day'),
          strftime('%Y%m%d', 'now', 'localtime', '-4 day'), '0004', '001', '99', 0, 0, 0, '90000001', 'F10051_deliver',
          datetime('now', 'localtime'));

INSERT INTO F3201 (DDCMCD, DDBUUT, DDMONTH, DDNUMB, DDSEQ, DDITNB, DDUNIT, DDQTY, DDUPRC, DDAMT, DDGAMT, DDTAX,
                   DDBDAN, DDMDAN, DDLDAN, DDMCAL, DDIBNUMB, DDIBSEQ, DDSUMONTH, DDSUNUMB, DDSUSEQ, DDRFMONTH,
                   DDRFNUMB, DDRFSEQ, DDEDFLYN, DDWORK, DDPGID, DDLADT)
  SELECT '9999', '9999', strftime('%Y%m', 'now', 'localtime', '-4 day'), 1, d.ODSEQ, d.ODITNB, d.ODUNIT, d.ODQTY,
         d.ODUPRC, d.ODAMT, d.ODGAMT, d.ODTAX, d.ODBDAN, d.ODMDAN, d.ODLDAN, d.ODMCAL, 0, 0, d.ODMONTH, d.ODNUMB,
         d.ODSEQ, d.ODMONTH, d.ODNUMB, d.ODSEQ, '2', '90000001', 'F10051_deliver', datetime('now', 'localtime')
  FROM F2401 d WHERE d.ODCMCD = '9999' AND d.ODBUUT = '9999' AND d.ODNUMB = 3;

INSERT INTO SYS_NUMBER (NBCMCD, NBBUUT, NBGUBUN, NBMONTH, NBLAST)
  SELECT '9999', '9999', 12, OHMONTH, MAX(OHNUMB) FROM F2400 WHERE OHCMCD = '9999' AND OHBUUT = '9999' GROUP BY OHMONTH
  ON CONFLICT (NBCMCD, NBBUUT, NBGUBUN, NBMONTH) DO UPDATE SET NBLAST = MAX(NBLAST, excluded.NBLAST);
INSERT INTO SYS_NUMBER (NBCMCD, NBBUUT, NBGUBUN, NBMONTH, NBLAST)
  SELECT '9999', '9999', 13, DHMONTH, MAX(DHNUMB) FROM F3200 WHERE DHCMCD = '9999' AND DHBUUT = '9999' GROUP BY DHMONTH
  ON CONFLICT (NBCMCD, NBBUUT, NBGUBUN, NBMONTH) DO UPDATE SET NBLAST = MAX(NBLAST, excluded.NBLAST);

DROP TABLE seed_sd;
DROP TABLE seed_so;
