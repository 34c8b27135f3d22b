-- Demo receipts of store 9999 (company 9999): purchase order #1, handed over
-- to the head-office unit 0001, was released by 0001 and received in full at
-- 9999 two days back. Order #4's hand-over stays unreleased, orders #2 and #3
-- stay open for the receipt screen.

DELETE FROM F3101 WHERE WDCMCD = '9999';
DELETE FROM F3100 WHERE WHCMCD = '9999';
DELETE FROM F3201 WHERE DDCMCD = '9999' AND DDBUUT = '0001' AND EXISTS (SELECT 1 FROM F3200 h
  WHERE h.DHCMCD = F3201.DDCMCD AND h.DHBUUT = F3201.DDBUUT AND h.DHMONTH = F3201.DDMONTH
  AND h.DHNUMB = F3201.DDNUMB AND h.DHCHTY = '001');
DELETE FROM F3200 WHERE DHCMCD = '9999' AND DHBUUT = '0001' AND DHCHTY = '001';

-- The release at 0001 of order #1's hand-over, line for line.
INSERT INTO F3200 (DHCMCD, DHBUUT, DHMONTH, DHNUMB, DHYEAR, DHDATE, DHADNB, DHCHTY, DHKSGU, DHTXGU, DHGAMT, DHTAX,
                   DHAMT, DHPOID, DHPDFL, DHKENUMB, DHKMNUMB, DHWORK, DHPGID, DHLADT)
  SELECT h.PHCMCD, h.PHOHBUUT, strftime('%Y%m', 'now', 'localtime', '-2 day'), 1,
         strftime('%Y', 'now', 'localtime', '-2 day'), strftime('%Y%m%d', 'now', 'localtime', '-2 day'), h.PHBUUT,
         '001', '001', h.PHTXGU,
         (SELECT SUM(PDGAMT) FROM F2101 d WHERE d.PDCMCD = h.PHCMCD AND d.PDBUUT = h.PHBUUT AND d.PDMONTH = h.PHMONTH
          AND d.PDNUMB = h.PHNUMB),
         (SELECT SUM(PDTAX) FROM F2101 d WHERE d.PDCMCD = h.PHCMCD AND d.PDBUUT = h.PHBUUT AND d.PDMONTH = h.PHMONTH
          AND d.PDNUMB = h.PHNUMB),
         (SELECT SUM(PDAMT) FROM F2101 d WHERE d.PDCMCD = h.PHCMCD AND d.PDBUUT = h.PHBUUT AND d.PDMONTH = h.PHMONTH
          AND d.PDNUMB = h.PHNUMB),
         '01', 0, 0, 0, '90001001', 'F10051_deliver', datetime('now', 'localtime')
  FROM F2100 h WHERE h.PHCMCD = '9999' AND h.PHBUUT = '9999' AND h.PHNUMB = 1
   AND h.PHDATE = strftime('%Y%m%d', 'now', 'localtime', '-3 day');

INSERT INTO F3201 (DDCMCD, DDBUUT, DDMONTH, DDNUMB, DDSEQ, DDITNB, DDUNIT, DDQTY, DDUPRC, DDAMT, DDGAMT, DDTAX,
                   DDBDAN, DDMDAN, DDLDAN, DDMCAL, DDSUMONTH, DDSUNUMB, DDSUSEQ, DDRFMONTH, DDRFNUMB, DDRFSEQ,
                   DDTXGU, DDEDFLYN, DDWORK, DDPGID, DDLADT)
  SELECT o.ODCMCD, o.ODBUUT, strftime('%Y%m', 'now', 'localtime', '-2 day'), 1, o.ODSEQ, o.ODITNB, o.ODUNIT, o.ODQTY,
         o.ODUPRC, o.ODAMT, o.ODGAMT, o.ODTAX, o.ODBDAN, o.ODMDAN, o.ODLDAN, o.ODMCAL, o.ODMONTH, o.ODNUMB, o.ODSEQ,
         o.ODMONTH, o.ODNUMB, o.ODSEQ, '', '2', '90001001', 'F10051_deliver', datetime('now', 'localtime')
  FROM F2100 h
  JOIN F2401 o ON o.ODCMCD = h.PHCMCD AND o.ODBUUT = h.PHOHBUUT AND o.ODMONTH = h.PHOHMONTH AND o.ODNUMB = h.PHOHNUMB
  WHERE h.PHCMCD = '9999' AND h.PHBUUT = '9999' AND h.PHNUMB = 1
   AND h.PHDATE = strftime('%Y%m%d', 'now', 'localtime', '-3 day');

-- Receipt #1 at 9999: everything shipped arrived, so it is complete.
INSERT INTO F3100 (WHCMCD, WHBUUT, WHMONTH, WHNUMB, WHYEAR, WHDATE, WHADNB, WHIBTY, WHCPSEQ, WHBIGO, WHPOID, WHTXGU,
                   WHKSGU, WHWORK, WHPGID, WHLADT)
  SELECT h.PHCMCD, h.PHBUUT, strftime('%Y%m', 'now', 'localtime', '-2 day'), 1,
         strftime('%Y', 'now', 'localtime', '-2 day'), strftime('%Y%m%d', 'now', 'localtime', '-2 day'), h.PHADNB,
         '001', 0, '2', '99', h.PHTXGU, '001', '90000001', 'F10021_Warehouse', datetime('now', 'localtime')
  FROM F2100 h WHERE h.PHCMCD = '9999' AND h.PHBUUT = '9999' AND h.PHNUMB = 1
   AND h.PHDATE = strftime('%Y%m%d', 'now', 'localtime', '-3 day');

INSERT INTO F3101 (WDCMCD, WDBUUT, WDMONTH, WDNUMB, WDSEQ, WDITNB, WDUNIT, WDQTY, WDUPRC, WDAMT, WDGAMT, WDTAX,
                   WDBDAN, WDMDAN, WDLDAN, WDMCAL, WDBAMONTH, WDBANUMB, WDBASEQ, WDRFMONTH, WDRFNUMB, WDRFSEQ,
                   WDCHNUMB, WDCHSEQ, WDSENUMB, WDSESEQ, WDCHBUUT, WDBAQTY, WDEDFLYN, WDWORK, WDPGID, WDLADT)
  SELECT d.PDCMCD, d.PDBUUT, strftime('%Y%m', 'now', 'localtime', '-2 day'), 1, d.PDSEQ, d.PDITNB, d.PDUNIT, d.PDQTY,
         d.PDUPRC, d.PDAMT, d.PDGAMT, d.PDTAX, d.PDBDAN, d.PDMDAN, d.PDLDAN, d.PDMCAL, d.PDMONTH, d.PDNUMB, d.PDSEQ,
         d.PDMONTH, d.PDNUMB, d.PDSEQ, 0, 0, 0, 0, h.PHADNB, d.PDQTY, '2', '90000001', 'F10021_Warehouse',
         datetime('now', 'localtime')
  FROM F2100 h
  JOIN F2101 d ON d.PDCMCD = h.PHCMCD AND d.PDBUUT = h.PHBUUT AND d.PDMONTH = h.PHMONTH AND d.PDNUMB = h.PHNUMB
  WHERE h.PHCMCD = '9999' AND h.PHBUUT = '9999' AND h.PHNUMB = 1
   AND h.PHDATE = strftime('%Y%m%d', 'now', 'localtime', '-3 day');

-- The receipt counter of 9999. The release at 0001 needs none: numbering
-- also counts the documents already there.
INSERT INTO SYS_NUMBER (NBCMCD, NBBUUT, NBGUBUN, NBMONTH, NBLAST)
  SELECT '9999', '9999', 11, WHMONTH, MAX(WHNUMB) FROM F3100 WHERE WHCMCD = '9999' AND WHBUUT = '9999' GROUP BY WHMONTH
  ON CONFLICT (NBCMCD, NBBUUT, NBGUBUN, NBMONTH) DO UPDATE SET NBLAST = MAX(NBLAST, excluded.NBLAST);
