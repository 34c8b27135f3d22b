-- Demo order patterns and opening stock of store 9999 (company 9999). The
-- opening balances stand on the first day of the previous month, so every
-- document of the demo counts against them.

DELETE FROM F2111 WHERE ADCMCD = '9999';
DELETE FROM F2110 WHERE AHCMCD = '9999';
DELETE FROM F3400 WHERE SKCMCD = '9999';

INSERT INTO F2110 (AHCMCD, AHBUUT, AHNUMB, AHNAME, AHADNB, AHSEQ, AHLADT) VALUES
  ('9999', '9999', 1, '제품 기본발주', '0001', 1, datetime('now', 'localtime')),
  ('9999', '9999', 2, '음료 발주', '30000001', 2, datetime('now', 'localtime')),
  ('9999', '9999', 3, '원재료 발주', '40000001', 3, datetime('now', 'localtime')),
  ('9999', '9999', 4, '포장재 발주', '40000002', 4, datetime('now', 'localtime')),
  ('9999', '9999', 5, '원재료 추가발주', '40000001', 5, datetime('now', 'localtime'));

-- Quantities 0, so nothing is ordered by accident; prices per ordering unit
-- (none on pattern 1: the items' own prices apply).
INSERT INTO F2111 (ADCMCD, ADBUUT, ADNUMB, ADSEQ, ADITNB, ADUNIT, ADQTY, ADUPRC) VALUES
  ('9999', '9999', 1, 1, '100001', 'EA', 0, NULL),
  ('9999', '9999', 1, 2, '100002', 'EA', 0, NULL),
  ('9999', '9999', 1, 3, '100003', 'EA', 0, NULL),
  ('9999', '9999', 1, 4, '100004', 'EA', 0, NULL),
  ('9999', '9999', 1, 5, '100005', 'EA', 0, NULL),
  ('9999', '9999', 1, 6, '100006', 'EA', 0, NULL),
  ('9999', '9999', 2, 1, '200001', 'BOX', 0, 8000),
  ('9999', '9999', 2, 2, '200002', 'BOX', 0, 14400),
  ('9999', '9999', 3, 1, '500001', '포대', 0, 40000),
  ('9999', '9999', 3, 2, '500002', 'KG', 0, 3000),
  ('9999', '9999', 3, 3, '500003', '개', 0, 9000),
  ('9999', '9999', 3, 4, '500004', '판', 0, 7500),
  ('9999', '9999', 3, 5, '500005', 'L', 0, 3000),
  ('9999', '9999', 3, 6, '500006', 'KG', 0, 8000),
  ('9999', '9999', 4, 1, '600001', 'BOX', 0, 25000),
  ('9999', '9999', 4, 2, '600002', '롤', 0, 5000),
  ('9999', '9999', 4, 3, '600003', 'BOX', 0, 10000),
  ('9999', '9999', 5, 1, '500004', '판', 0, 7500),
  ('9999', '9999', 5, 2, '500005', 'L', 0, 3000);

INSERT INTO F3400 (SKCMCD, SKBUUT, SKITNB, SKDATE, SKQTY, SKUPRC, SKLADT)
  SELECT '9999', '9999', b.item, strftime('%Y%m%d', 'now', 'localtime', 'start of month', '-1 month'), b.qty,
         COALESCE((SELECT IMPRC2 FROM F0200 WHERE IMCMCD = '9999' AND IMBUUT = '9999' AND IMITNB = b.item), 0),
         datetime('now', 'localtime')
  FROM (SELECT '100001' AS item, 20 AS qty UNION ALL SELECT '100002', 15 UNION ALL SELECT '100003', 10
        UNION ALL SELECT '100004', 12 UNION ALL SELECT '100005', 10 UNION ALL SELECT '100006', 10
        UNION ALL SELECT '200001', 48 UNION ALL SELECT '200002', 48
        UNION ALL SELECT '300001', 0 UNION ALL SELECT '300002', 3000
        UNION ALL SELECT '500001', 100000 UNION ALL SELECT '500002', 20000 UNION ALL SELECT '500003', 9000
        UNION ALL SELECT '500004', 180 UNION ALL SELECT '500005', 20000 UNION ALL SELECT '500006', 10000
        UNION ALL SELECT '600001', 100 UNION ALL SELECT '600002', 200 UNION ALL SELECT '600003', 150
        UNION ALL SELECT '600009', 0) b;
