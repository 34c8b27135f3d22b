-- Delivery bookings of the demo store with their sales (terminal "99"), rung
-- up on the day of seeding: #1 to be delivered tomorrow, #2 the day after.

DELETE FROM F4104 WHERE OBCMCD = '9999';
DELETE FROM F4101 WHERE SDCMCD = '9999';
DELETE FROM F4100 WHERE SHCMCD = '9999';

INSERT INTO F4100 (SHCMCD, SHBUUT, SHDATE, SHPOID, SHNUMB, SHAMT) VALUES
  ('9999', '9999', strftime('%Y%m%d', 'now', 'localtime'), '99', 1, 25000),
  ('9999', '9999', strftime('%Y%m%d', 'now', 'localtime'), '99', 2, 29400);

INSERT INTO F4101 (SDCMCD, SDBUUT, SDDATE, SDPOID, SDNUMB, SDSEQ, SDITNB, SDQTY, SDUPRC, SDAMT) VALUES
  ('9999', '9999', strftime('%Y%m%d', 'now', 'localtime'), '99', 1, 1, '100005', 1, 25000, 25000),
  ('9999', '9999', strftime('%Y%m%d', 'now', 'localtime'), '99', 2, 1, '100006', 1, 27000, 27000),
  ('9999', '9999', strftime('%Y%m%d', 'now', 'localtime'), '99', 2, 2, '200002', 2, 1200, 2400);

INSERT INTO F4104 (OBCMCD, OBBUUT, OBNUMB, OBJUPE, OBJBDT, OBYEDT, OBRPER, OBJUMB, OBBIGO,
                   OBSHDATE, OBSHPOID, OBSHNUMB) VALUES
  ('9999', '9999', 1, '홍길동', date('now', 'localtime'), date('now', 'localtime', '+1 day'),
   '홍길동', '01012345678', '초 3개 넣어 주세요', strftime('%Y%m%d', 'now', 'localtime'), '99', 1),
  ('9999', '9999', 2, '김영희', date('now', 'localtime'), date('now', 'localtime', '+2 days'),
   '이철수', '01098765432', '오전 배달', strftime('%Y%m%d', 'now', 'localtime'), '99', 2);
