-- Demo production patterns of store 9999: the morning breads on line 001,
-- the cake on line 002, the dough on line 001.

DELETE FROM F3321 WHERE UDCMCD = '9999';
DELETE FROM F3320 WHERE UHCMCD = '9999';

INSERT INTO F3320 (UHCMCD, UHBUUT, UHNUMB, UHNAME, UHLINB, UHSEQ, UHLADT) VALUES
  ('9999', '9999', 1, '아침 빵 생산', '001', 1, datetime('now', 'localtime')),
  ('9999', '9999', 2, '케이크 생산', '002', 2, datetime('now', 'localtime')),
  ('9999', '9999', 3, '반죽 생산', '001', 3, datetime('now', 'localtime'));

INSERT INTO F3321 (UDCMCD, UDBUUT, UDNUMB, UDSEQ, UDITNB, UDUNIT, UDQTY, UDLINB, UDLADT) VALUES
  ('9999', '9999', 1, 1, '100001', 'EA', 20, '001', datetime('now', 'localtime')),
  ('9999', '9999', 1, 2, '100002', 'EA', 30, '001', datetime('now', 'localtime')),
  ('9999', '9999', 1, 3, '100003', 'EA', 30, '001', datetime('now', 'localtime')),
  ('9999', '9999', 1, 4, '100004', 'EA', 20, '001', datetime('now', 'localtime')),
  ('9999', '9999', 2, 1, '100005', 'EA', 5, '002', datetime('now', 'localtime')),
  ('9999', '9999', 2, 2, '300002', 'G', 1500, '002', datetime('now', 'localtime')),
  ('9999', '9999', 3, 1, '300001', 'G', 10000, '001', datetime('now', 'localtime'));
