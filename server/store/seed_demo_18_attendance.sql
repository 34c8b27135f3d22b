-- Demo attendance of store 9999: clock-in around 09:00 and clock-out around
-- 18:00 for 김관리 (90000001) and 이직원 (90000002) over the five days before
-- the seeding day, a break with its return for 이직원 yesterday, and a holiday
-- of 최제빵 (90000004) two days ago. Nothing on the seeding day itself, so the
-- first clock-in of the day is accepted and the second one refused.
DELETE FROM F0150 WHERE EICMCD = '9999';

WITH RECURSIVE d(k) AS (SELECT 1 UNION ALL SELECT k + 1 FROM d WHERE k < 5),
ev(adnb, kunt, tm, seq) AS (VALUES
  ('90000001', '001', '08:55:10', 1),
  ('90000002', '001', '09:02:40', 2),
  ('90000001', '002', '18:03:05', 3),
  ('90000002', '002', '18:07:30', 4))
INSERT INTO F0150 (EICMCD, EIBUUT, EIDATE, EISEQ, EIADNB, EITIME, EIKUNT, EIWORK, EIPGID, EILADT)
SELECT '9999', '9999', strftime('%Y%m%d', 'now', 'localtime', '-' || k || ' days'), seq, adnb,
       date('now', 'localtime', '-' || k || ' days') || ' ' || tm, kunt, adnb, 'F638_AttendModify',
       datetime('now', 'localtime')
FROM d, ev;

INSERT INTO F0150 (EICMCD, EIBUUT, EIDATE, EISEQ, EIADNB, EITIME, EIKUNT, EIWORK, EIPGID, EILADT) VALUES
  ('9999', '9999', strftime('%Y%m%d', 'now', 'localtime', '-1 days'), 5, '90000002',
   date('now', 'localtime', '-1 days') || ' 14:00:00', '010', '90000002', 'F638_AttendModify', datetime('now', 'localtime')),
  ('9999', '9999', strftime('%Y%m%d', 'now', 'localtime', '-1 days'), 6, '90000002',
   date('now', 'localtime', '-1 days') || ' 14:30:00', '011', '90000002', 'F638_AttendModify', datetime('now', 'localtime')),
  ('9999', '9999', strftime('%Y%m%d', 'now', 'localtime', '-2 days'), 5, '90000004',
   date('now', 'localtime', '-2 days') || ' 00:00:00', '009', '90000001', 'F680_Vacamng', datetime('now', 'localtime'));
