-- Demo recipes of company 9999 (over the demo items): 식빵반죽,
-- 우유식빵, 단팥빵 and 생크림케이크, entered for store 9999 and copied to the
-- other business units as the items are. 고구마케이크 has no recipe.
-- MHEPRI, the cost of one unit, is Σ ingredient weight × the ingredient's
-- transfer price (IMPRC2) ÷ MHPQTY. Ingredients weighed in G or ML count
-- towards the weight sum (MDWENO), those counted in EA towards the quantity
-- (MDQINC); every share (MDPERC) is left to the server to work out.

DELETE FROM F0231 WHERE MDCMCD = '9999';
DELETE FROM F0230 WHERE MHCMCD = '9999';

INSERT INTO F0230 (MHCMCD, MHBUUT, MHITNB, MHINAM, MHPQTY, MHBHWT, MHPJWT, MHJSUM, MHRORT, MHROWT, MHLORT, MHLOWT,
                   MHPJQT, MHCJML, MHNQTY, MHSSJJ, MHJJGO, MHSTND, MHFLAG, MHSKLR, MHSTGU, MHEPRI, MHLADT) VALUES
  ('9999', '9999', '300001', '식빵반죽', 1000, 1000, 1000, 1000, 0, 0, 1.5, 15, 1, 0, 1000, 0, 5000, 1, 0, 0, '2', 0,
   datetime('now', 'localtime')),
  ('9999', '9999', '100001', '우유식빵', 10, 510, 460, 5100, 9.8, 50, 1.9, 10, 10, 100, 10, 0, 20, 1, 1, 0, '2', 0,
   datetime('now', 'localtime')),
  ('9999', '9999', '100002', '단팥빵', 20, 80, 125, 2600, 10, 8, 2, 2, 20, 1000, 20, 0, 30, 1, 1, 0, '2', 0,
   datetime('now', 'localtime')),
  ('9999', '9999', '100005', '생크림케이크', 1, 520, 470, 520, 8.5, 44, 1.2, 6, 1, 300, 1, 0, 5, 1, 1, 1, '1', 0,
   datetime('now', 'localtime'));

CREATE TEMP TABLE seed_rl (itnb TEXT, sort TEXT, seq INTEGER, paky INTEGER, mtnb TEXT, name TEXT, wght REAL,
                           unit TEXT, line TEXT);
INSERT INTO seed_rl VALUES
  ('300001', '0001', 1, 0, '', '반죽재료', 0, '', '1'),
  ('300001', '000101', 2, 1, '500001', '강력분', 600, 'G', '1'),
  ('300001', '000102', 3, 1, '500002', '설탕', 40, 'G', '1'),
  ('300001', '000103', 4, 1, '500003', '버터', 40, 'G', '1'),
  ('300001', '000104', 5, 1, '500005', '우유', 320, 'ML', '1'),
  ('100001', '0001', 1, 0, '', '반죽', 0, '', '1'),
  ('100001', '000101', 2, 1, '300001', '식빵반죽', 5000, 'G', '1'),
  ('100001', '0002', 3, 0, '', '토핑', 0, '', '2'),
  ('100001', '000201', 4, 1, '500003', '버터', 100, 'G', '2'),
  ('100002', '0001', 1, 0, '', '반죽', 0, '', '1'),
  ('100002', '000101', 2, 1, '300001', '식빵반죽', 1600, 'G', '1'),
  ('100002', '0002', 3, 0, '', '충전', 0, '', '2'),
  ('100002', '000201', 4, 1, '500006', '팥앙금', 1000, 'G', '2'),
  ('100005', '0001', 1, 0, '', '시트', 0, '', '1'),
  ('100005', '000101', 2, 1, '500004', '계란', 4, 'EA', '1'),
  ('100005', '000102', 3, 1, '500002', '설탕', 120, 'G', '1'),
  ('100005', '000103', 4, 1, '500001', '강력분', 100, 'G', '1'),
  ('100005', '0002', 5, 0, '', '크림', 0, '', '2'),
  ('100005', '000201', 6, 1, '300002', '커스터드크림', 300, 'G', '2'),
  ('100005', '0003', 7, 0, '', '포장', 0, '', '3'),
  ('100005', '000301', 8, 1, '600001', '케이크박스', 1, 'EA', '3'),
  ('100005', '000302', 9, 1, '600002', '리본', 1, 'EA', '3'),
  ('100005', '000303', 10, 1, '600003', '보냉팩', 1, 'EA', '3');

INSERT INTO F0231 (MDCMCD, MDBUUT, MDITNB, MDSORT, MDSEQ, MDPAKY, MDMTNB, MDNAME, MDWGHT, MDUNIT, MDLINE, MDPERC,
                   MDWENO, MDQINC, MDLADT)
  SELECT '9999', '9999', itnb, sort, seq, paky, mtnb, name, wght, unit, line, 0,
         CASE WHEN paky <> 0 AND unit IN ('G', 'ML') THEN 1 ELSE 0 END,
         CASE WHEN paky <> 0 AND unit = 'EA' THEN 1 ELSE 0 END, datetime('now', 'localtime')
  FROM seed_rl;
DROP TABLE seed_rl;

UPDATE F0230 SET MHEPRI = (
    SELECT COALESCE(SUM(d.MDWGHT * i.IMPRC2), 0)
    FROM F0231 d
    JOIN F0200 i ON i.IMCMCD = d.MDCMCD AND i.IMBUUT = d.MDBUUT AND i.IMITNB = d.MDMTNB
    WHERE d.MDCMCD = F0230.MHCMCD AND d.MDBUUT = F0230.MHBUUT AND d.MDITNB = F0230.MHITNB AND d.MDPAKY <> 0
  ) / F0230.MHPQTY
WHERE MHCMCD = '9999' AND MHBUUT = '9999';

CREATE TEMP TABLE seed_rh AS SELECT * FROM F0230 WHERE MHCMCD = '9999' AND MHBUUT = '9999';
CREATE TEMP TABLE seed_rd AS SELECT * FROM F0231 WHERE MDCMCD = '9999' AND MDBUUT = '9999';
INSERT INTO F0230 SELECT h.MHCMCD, u.ABBUUT, h.MHITNB, h.MHINAM, h.MHPQTY, h.MHEPRI, h.MHLADT, h.MHBHWT, h.MHPJWT,
                         h.MHJSUM, h.MHRORT, h.MHROWT, h.MHLORT, h.MHLOWT, h.MHPJQT, h.MHCJML, h.MHNQTY, h.MHSSJJ,
                         h.MHJJGO, h.MHSTND, h.MHFLAG, h.MHSKLR, h.MHSTGU
  FROM seed_rh h JOIN F0100 u ON u.ABCMCD = h.MHCMCD AND u.ABADNB = '00000000' AND u.ABBUUT <> '9999';
INSERT INTO F0231 SELECT d.MDCMCD, u.ABBUUT, d.MDITNB, d.MDSORT, d.MDSEQ, d.MDPAKY, d.MDMTNB, d.MDNAME, d.MDWGHT,
                         d.MDUNIT, d.MDLINE, d.MDPERC, d.MDWENO, d.MDQINC, d.MDLADT
  FROM seed_rd d JOIN F0100 u ON u.ABCMCD = d.MDCMCD AND u.ABADNB = '00000000' AND u.ABBUUT <> '9999';
DROP TABLE seed_rh;
DROP TABLE seed_rd;
