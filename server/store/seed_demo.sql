-- Demo data of company 9999 (store 9999, terminal 99). Dates are relative to the
-- day of seeding. The loader deletes the demo company's master rows first, so a
-- re-run replaces them; terminal users are written by the loader itself (their
-- password hashes are made at seeding time).

DELETE FROM F0001 WHERE COCMCD = '9999';
DELETE FROM F0011 WHERE CDCMCD = '9999';
DELETE FROM F0100 WHERE ABCMCD = '9999';
DELETE FROM F0050 WHERE UICMCD = '9999';
DELETE FROM F0030 WHERE SLCMCD = '9999';
DELETE FROM F0060 WHERE GKCMCD = '9999';
DELETE FROM F0061 WHERE MKCMCD = '9999';
DELETE FROM F0200 WHERE IMCMCD = '9999';
DELETE FROM F0230 WHERE MHCMCD = '9999';
DELETE FROM F3230 WHERE ULCMCD = '9999';
DELETE FROM F4500 WHERE FBCMCD = '9999';
DELETE FROM F0003 WHERE PCCMCD = '9999';
DELETE FROM F0000 WHERE SCCMCD = '9999';

INSERT INTO F0001 (COCMCD, CONAME) VALUES ('9999', '데모베이커리');

INSERT INTO F0011 (CDCMCD, CDGUCD, CDSSCD, CDNAME, CDSNAM, CDSEQ) VALUES
  ('9999', '001', '1', '제품', '제품', 1),
  ('9999', '001', '2', '상품', '상품', 2),
  ('9999', '001', '3', '반제품', '반제품', 3),
  ('9999', '001', '5', '원재료', '원재료', 4),
  ('9999', '001', '6', '부재료', '부재료', 5),
  ('9999', '010', '1', '포함', '포함', 1),
  ('9999', '010', '2', '별도', '별도', 2),
  ('9999', '010', '3', '면세', '면세', 3),
  ('9999', '020', '001', '출고', '출고', 1),
  ('9999', '020', '003', '증정', '증정', 2),
  ('9999', '020', '004', '시식', '시식', 3),
  ('9999', '020', '005', '폐기', '폐기', 4),
  ('9999', '020', '010', '2차재료', '2차재료', 5),
  ('9999', '021', '001', '매입입고', '매입입고', 1),
  ('9999', '021', '003', '면세입고', '면세입고', 2),
  ('9999', '030', '001', '출근', '출근', 1),
  ('9999', '030', '002', '퇴근', '퇴근', 2),
  ('9999', '030', '003', '결근', '결근', 3),
  ('9999', '030', '005', '조퇴', '조퇴', 4),
  ('9999', '030', '006', '외출', '외출', 5),
  ('9999', '030', '009', '휴무', '휴무', 6),
  ('9999', '030', '010', '휴게', '휴게', 7),
  ('9999', '030', '011', '복귀', '복귀', 8),
  ('9999', '030', '012', '파견', '파견', 9),
  ('9999', '030', '013', '출장', '출장', 10),
  ('9999', '040', '01', '점장', '점장', 1),
  ('9999', '040', '02', '매니저', '매니저', 2),
  ('9999', '040', '03', '사원', '사원', 3),
  ('9999', '040', '04', '파트타이머', '파트타이머', 4),
  ('9999', '041', '01', '판매', '판매', 1),
  ('9999', '041', '02', '제빵', '제빵', 2),
  ('9999', '041', '03', '관리', '관리', 3),
  ('9999', '050', '001', '월말정산', '월말정산', 1),
  ('9999', '050', '002', '현금', '현금', 2),
  ('9999', '061', '001', '1라인(제빵)', '1라인(제빵)', 1),
  ('9999', '061', '002', '2라인(케이크)', '2라인(케이크)', 2),
  ('9999', '061', '003', '3라인(포장)', '3라인(포장)', 3);

INSERT INTO F0100 (ABCMCD, ABBUUT, ABADNB, ABADTY, ABBUGU, ABNAME, ABSNAM, ABTXGU, ABKSGU, ABSANO, ABADDR, ABTELN, ABCSTEL, ABSEQ) VALUES
  ('9999', '0001', '00000000', '001', '1', '본사생산센터', '생산센터', '1', '001', '123-45-67890', '서울 데모구 생산로 1', '02-123-4567', '1588-0000', 1),
  ('9999', '9999', '00000000', '001', '2', '데모지점', '데모지점', '1', '001', '234-56-78901', '서울 데모구 데모동 99', '02-999-9999', '1588-0000', 2),
  ('9999', '0003', '00000000', '001', '3', '가맹1호점', '가맹1호', '1', '001', '345-67-89012', '경기 데모시 가맹로 3', '031-333-3333', '1588-0000', 3),
  ('9999', '0004', '00000000', '001', '2', '직영2호점', '직영2호', '1', '001', '456-78-90123', '서울 데모구 직영로 4', '02-444-4444', '1588-0000', 4);
INSERT INTO F0100 (ABCMCD, ABBUUT, ABADNB, ABADTY, ABNAME, ABSNAM, ABTXGU, ABKSGU, ABSEQ) VALUES
  ('9999', '9999', '30000001', '002', '(주)데모음료', '데모음료', '2', '001', 10),
  ('9999', '9999', '30000009', '002', '미수거래처', '미수거래처', '2', '001', 11),
  ('9999', '9999', '40000001', '002', '데모제분', '데모제분', '3', '001', 12),
  ('9999', '9999', '40000002', '002', '데모포장', '데모포장', '2', '001', 13),
  ('9999', '9999', '20000001', '003', '카페데모', '카페데모', '1', '002', 14);
INSERT INTO F0100 (ABCMCD, ABBUUT, ABADNB, ABADTY, ABNAME, ABSNAM, ABUSERW, ABJIKG, ABJIKJ, ABSEQ) VALUES
  ('9999', '9999', '90000001', '009', '김관리', '김관리', '001', '01', '03', 20),
  ('9999', '9999', '90000002', '009', '이직원', '이직원', '002', '03', '01', 21),
  ('9999', '9999', '90000003', '009', '박조회', '박조회', '003', '04', '01', 22),
  ('9999', '9999', '90000004', '009', '최제빵', '최제빵', '002', '03', '02', 23),
  ('9999', '0001', '90001001', '009', '정센터', '정센터', '001', '01', '03', 24);

INSERT INTO F3230 (ULCMCD, ULBUUT, ULADNB, ULPORDERYN, ULMISU, ULDUEDT) VALUES
  ('9999', '9999', '30000009', '1', 1250000, strftime('%Y%m%d', 'now', 'localtime', '-40 days'));

-- Rights: group 001 everything; 002 no deletions; 003 no entry work and no row for the
-- purchase inquiry (its history is reached through the sales inquiry id).
INSERT INTO F0030 (SLCMCD, SLUSGR, SLPGID, SLUAUG, SLREAU, SLWRAU, SLDEAU) VALUES
  ('9999', '001', 'F20_PURCHASEENTRY', 1, 1, 1, 1),
  ('9999', '001', 'F30_WAREHOUSEENTRY', 1, 1, 1, 1),
  ('9999', '001', 'F30_PRODUCTENTRY', 1, 1, 1, 1),
  ('9999', '001', 'F30_DELIVERYENTRY', 1, 1, 1, 1),
  ('9999', '001', 'F30_WORKENTRY', 1, 1, 1, 1),
  ('9999', '001', 'F20_PURCHASEINQUIRY', 1, 1, 1, 1),
  ('9999', '001', 'F20_SALESINQUIRY', 1, 1, 1, 1),
  ('9999', '001', 'F30_WAREHOUSEINQUIRY', 1, 1, 1, 1),
  ('9999', '001', 'F30_DELIVERYINQUIRY', 1, 1, 1, 1),
  ('9999', '001', 'F30_PRODUCTINQUIRY', 1, 1, 1, 1),
  ('9999', '001', 'F30_DAILYPRODUCTSUM', 1, 1, 1, 1),
  ('9999', '001', 'F30_ITEMPRODUCTSUM', 1, 1, 1, 1),
  ('9999', '001', 'F30_PRODSTOCKINQUIRY', 1, 1, 1, 1),
  ('9999', '001', 'F30_MATSTOCKINQUIRY', 1, 1, 1, 1),
  ('9999', '001', 'F02_RECIPE', 1, 1, 1, 1),
  ('9999', '002', 'F20_PURCHASEENTRY', 1, 1, 1, 0),
  ('9999', '002', 'F30_WAREHOUSEENTRY', 1, 1, 1, 0),
  ('9999', '002', 'F30_PRODUCTENTRY', 1, 1, 1, 0),
  ('9999', '002', 'F30_DELIVERYENTRY', 1, 1, 1, 0),
  ('9999', '002', 'F30_WORKENTRY', 1, 1, 1, 0),
  ('9999', '002', 'F20_PURCHASEINQUIRY', 1, 1, 0, 0),
  ('9999', '002', 'F20_SALESINQUIRY', 1, 1, 0, 0),
  ('9999', '002', 'F30_WAREHOUSEINQUIRY', 1, 1, 0, 0),
  ('9999', '002', 'F30_DELIVERYINQUIRY', 1, 1, 0, 0),
  ('9999', '002', 'F30_PRODUCTINQUIRY', 1, 1, 0, 0),
  ('9999', '002', 'F30_DAILYPRODUCTSUM', 1, 1, 0, 0),
  ('9999', '002', 'F30_ITEMPRODUCTSUM', 1, 1, 0, 0),
  ('9999', '002', 'F30_PRODSTOCKINQUIRY', 1, 1, 0, 0),
  ('9999', '002', 'F30_MATSTOCKINQUIRY', 1, 1, 0, 0),
  ('9999', '002', 'F02_RECIPE', 1, 1, 0, 0),
  ('9999', '003', 'F20_PURCHASEENTRY', 0, 1, 0, 0),
  ('9999', '003', 'F30_WAREHOUSEENTRY', 0, 1, 0, 0),
  ('9999', '003', 'F30_PRODUCTENTRY', 0, 1, 0, 0),
  ('9999', '003', 'F30_DELIVERYENTRY', 0, 1, 0, 0),
  ('9999', '003', 'F30_WORKENTRY', 0, 1, 0, 0),
  ('9999', '003', 'F20_SALESINQUIRY', 1, 1, 0, 0),
  ('9999', '003', 'F30_WAREHOUSEINQUIRY', 1, 1, 0, 0),
  ('9999', '003', 'F30_DELIVERYINQUIRY', 1, 1, 0, 0),
  ('9999', '003', 'F30_PRODUCTINQUIRY', 1, 1, 0, 0),
  ('9999', '003', 'F30_DAILYPRODUCTSUM', 1, 1, 0, 0),
  ('9999', '003', 'F30_ITEMPRODUCTSUM', 1, 1, 0, 0),
  ('9999', '003', 'F30_PRODSTOCKINQUIRY', 1, 1, 0, 0),
  ('9999', '003', 'F30_MATSTOCKINQUIRY', 1, 1, 0, 0),
  ('9999', '003', 'F02_RECIPE', 1, 1, 0, 0);

-- Categories and items are kept per store: written for store 9999 and copied
-- into every other business unit below.
INSERT INTO F0060 (GKCMCD, GKBUUT, GKDJGU, GKITTY, GKGKID, GKSEQ, GKNAME) VALUES
  ('9999', '9999', '1', '0', '101', 1, '빵'),
  ('9999', '9999', '1', '0', '102', 2, '케이크'),
  ('9999', '9999', '1', '0', '103', 3, '음료'),
  ('9999', '9999', '3', '3', '201', 1, '제빵생산'),
  ('9999', '9999', '3', '3', '202', 2, '케이크생산'),
  ('9999', '9999', '3', '5', '301', 1, '원재료'),
  ('9999', '9999', '3', '6', '302', 2, '포장재');
INSERT INTO F0061 (MKCMCD, MKBUUT, MKDJGU, MKITTY, MKGKID, MKMKID, MKSEQ, MKNAME) VALUES
  ('9999', '9999', '1', '0', '101', '001', 1, '식빵류'),
  ('9999', '9999', '1', '0', '101', '002', 2, '단과자'),
  ('9999', '9999', '1', '0', '102', '001', 1, '생크림케이크'),
  ('9999', '9999', '1', '0', '102', '002', 2, '기타케이크'),
  ('9999', '9999', '1', '0', '103', '001', 1, '병음료'),
  ('9999', '9999', '3', '3', '201', '001', 1, '반죽'),
  ('9999', '9999', '3', '3', '201', '002', 2, '빵류'),
  ('9999', '9999', '3', '3', '202', '001', 1, '크림'),
  ('9999', '9999', '3', '3', '202', '002', 2, '케이크류'),
  ('9999', '9999', '3', '5', '301', '001', 1, '가루류'),
  ('9999', '9999', '3', '5', '301', '002', 2, '유제품/계란'),
  ('9999', '9999', '3', '5', '301', '003', 3, '당류/앙금'),
  ('9999', '9999', '3', '6', '302', '001', 1, '박스'),
  ('9999', '9999', '3', '6', '302', '002', 2, '부자재');

INSERT INTO F0200 (IMCMCD, IMBUUT, IMITNB, IMITTY, IMBAR, IMNAME, IMSNAM, IMPGKI, IMPMKI, IMSDKI, IMSJKI, IMPRC1, IMPRC2, IMBDAN, IMMDAN, IMLDAN, IMMCAL, IMEDAN, IMTXGU, IMBDFL, IMSDFL, IMSORT, IMJEGO) VALUES
  ('9999', '9999', '100001', '1', '881000010', '우유식빵', '우유식빵', '101', '001', '201', '002', 3500, 1800, 'EA', 'BOX', 'EA', 10, 'EA', '1', 1, 1, 1, 20),
  ('9999', '9999', '100002', '1', '881000020', '단팥빵', '단팥빵', '101', '002', '201', '002', 1500, 700, 'EA', 'BOX', 'EA', 10, 'EA', '1', 1, 1, 2, 30),
  ('9999', '9999', '100003', '1', '881000030', '소보로빵', '소보로빵', '101', '002', '201', '002', 1500, 700, 'EA', 'BOX', 'EA', 10, 'EA', '1', 1, 1, 3, 30),
  ('9999', '9999', '100004', '1', '881000040', '크림빵', '크림빵', '101', '002', '201', '002', 1800, 850, 'EA', 'BOX', 'EA', 10, 'EA', '1', 1, 1, 4, 20),
  ('9999', '9999', '100005', '1', '881000050', '생크림케이크', '생크림케이크', '102', '001', '202', '002', 25000, 12000, 'EA', 'EA', 'EA', 1, 'EA', '1', 1, 1, 5, 5),
  ('9999', '9999', '100006', '1', '881000060', '고구마케이크', '고구마케이크', '102', '002', '202', '002', 27000, 13000, 'EA', 'EA', 'EA', 1, 'EA', '1', 1, 0, 6, 3),
  ('9999', '9999', '200001', '2', '882000010', '생수500ml', '생수500ml', '103', '001', '', '', 1000, 400, 'EA', 'BOX', 'EA', 20, 'EA', '1', 1, 0, 7, 40),
  ('9999', '9999', '200002', '2', '882000020', '흰우유200ml', '흰우유200ml', '103', '001', '', '', 1200, 600, 'EA', 'BOX', 'EA', 24, 'EA', '1', 1, 0, 8, 24),
  ('9999', '9999', '300001', '3', '883000010', '식빵반죽', '식빵반죽', '', '', '201', '001', 0, 3, 'G', 'KG', 'G', 1000, 'G', '3', 0, 1, 9, 5000),
  ('9999', '9999', '300002', '3', '883000020', '커스터드크림', '커스터드크림', '', '', '202', '001', 0, 6, 'G', 'KG', 'G', 1000, 'G', '3', 0, 1, 10, 2000),
  ('9999', '9999', '500001', '5', '885000010', '강력분', '강력분', '', '', '301', '001', 0, 2, 'G', '포대', 'G', 20000, 'G', '3', 0, 0, 11, 40000),
  ('9999', '9999', '500002', '5', '885000020', '설탕', '설탕', '', '', '301', '003', 0, 3, 'G', 'KG', 'G', 1000, 'G', '3', 0, 0, 12, 10000),
  ('9999', '9999', '500003', '5', '885000030', '버터', '버터', '', '', '301', '002', 0, 20, 'G', '개', 'G', 450, 'G', '3', 0, 0, 13, 4500),
  ('9999', '9999', '500004', '5', '885000040', '계란', '계란', '', '', '301', '002', 0, 250, 'EA', '판', 'EA', 30, 'EA', '3', 0, 0, 14, 90),
  ('9999', '9999', '500005', '5', '885000050', '우유', '우유', '', '', '301', '002', 0, 3, 'ML', 'L', 'ML', 1000, 'ML', '3', 0, 0, 15, 10000),
  ('9999', '9999', '500006', '5', '885000060', '팥앙금', '팥앙금', '', '', '301', '003', 0, 8, 'G', 'KG', 'G', 1000, 'G', '3', 0, 0, 16, 5000),
  ('9999', '9999', '600001', '6', '886000010', '케이크박스', '케이크박스', '', '', '302', '001', 0, 500, 'EA', 'BOX', 'EA', 50, 'EA', '3', 0, 0, 17, 50),
  ('9999', '9999', '600002', '6', '886000020', '리본', '리본', '', '', '302', '002', 0, 100, 'EA', '롤', 'EA', 100, 'EA', '3', 0, 0, 18, 100),
  ('9999', '9999', '600003', '6', '886000030', '보냉팩', '보냉팩', '', '', '302', '002', 0, 100, 'EA', 'BOX', 'EA', 100, 'EA', '3', 0, 0, 19, 100),
  ('9999', '9999', '600009', '6', '886000090', '케이크포장세트', '케이크포장세트', '', '', '302', '001', 0, 650, 'EA', 'EA', 'EA', 1, 'EA', '3', 0, 0, 20, 20);

UPDATE F0200 SET IMSTDT = strftime('%Y%m%d', 'now', 'localtime', '-1 year'), IMEDDT = '99991231',
    IMLADT = datetime('now', 'localtime') WHERE IMCMCD = '9999' AND IMBUUT = '9999';

INSERT INTO F0060 SELECT GKCMCD, u.ABBUUT, GKDJGU, GKITTY, GKGKID, GKSEQ, GKNAME, GKUSFL, GKLADT
  FROM F0060 JOIN F0100 u ON u.ABCMCD = GKCMCD AND u.ABADNB = '00000000' AND u.ABBUUT <> '9999'
  WHERE GKCMCD = '9999' AND GKBUUT = '9999';
INSERT INTO F0061 SELECT MKCMCD, u.ABBUUT, MKDJGU, MKITTY, MKGKID, MKMKID, MKSEQ, MKNAME, MKUSFL, MKLADT
  FROM F0061 JOIN F0100 u ON u.ABCMCD = MKCMCD AND u.ABADNB = '00000000' AND u.ABBUUT <> '9999'
  WHERE MKCMCD = '9999' AND MKBUUT = '9999';
CREATE TEMP TABLE seed_items AS SELECT * FROM F0200 WHERE IMCMCD = '9999' AND IMBUUT = '9999';
UPDATE seed_items SET IMBUUT = '0001';
INSERT INTO F0200 SELECT * FROM seed_items;
UPDATE seed_items SET IMBUUT = '0003';
INSERT INTO F0200 SELECT * FROM seed_items;
UPDATE seed_items SET IMBUUT = '0004';
INSERT INTO F0200 SELECT * FROM seed_items;
DROP TABLE seed_items;

-- Notices for every store, newest last numbered.
INSERT INTO F4500 (FBCMCD, FBNUMB, FBBUUT, FBDATE, FBTITL, FBTEXT) VALUES
  ('9999', 1, '', strftime('%Y%m%d', 'now', 'localtime', '-11 days'), '시스템 점검 안내', '<p>데모 공지 1 입니다.</p>'),
  ('9999', 2, '', strftime('%Y%m%d', 'now', 'localtime', '-10 days'), '연말 발주 마감 안내', '<p>데모 공지 2 입니다.</p>'),
  ('9999', 3, '', strftime('%Y%m%d', 'now', 'localtime', '-9 days'), '위생 점검 일정', '<p>데모 공지 3 입니다.</p>'),
  ('9999', 4, '', strftime('%Y%m%d', 'now', 'localtime', '-8 days'), '신규 포장재 입고', '<p>데모 공지 4 입니다.</p>'),
  ('9999', 5, '', strftime('%Y%m%d', 'now', 'localtime', '-7 days'), '원재료 단가 변경', '<p>데모 공지 5 입니다.</p>'),
  ('9999', 6, '', strftime('%Y%m%d', 'now', 'localtime', '-6 days'), '가맹점 교육 안내', '<p>데모 공지 6 입니다.</p>'),
  ('9999', 7, '', strftime('%Y%m%d', 'now', 'localtime', '-5 days'), '재고 실사 안내', '<p>데모 공지 7 입니다.</p>'),
  ('9999', 8, '', strftime('%Y%m%d', 'now', 'localtime', '-4 days'), '발주 시간 변경', '<p>데모 공지 8 입니다.</p>'),
  ('9999', 9, '', strftime('%Y%m%d', 'now', 'localtime', '-3 days'), '설 연휴 배송 일정', '<p>데모 공지 9 입니다.</p>'),
  ('9999', 10, '', strftime('%Y%m%d', 'now', 'localtime', '-2 days'), 'POS 사용 안내', '<p>데모 공지 10 입니다.</p>'),
  ('9999', 11, '', strftime('%Y%m%d', 'now', 'localtime', '-1 days'), '안전 교육', '<p>데모 공지 11 입니다.</p>'),
  ('9999', 12, '', strftime('%Y%m%d', 'now', 'localtime', '-0 days'), '신제품 출시 안내', '<h3>신제품 안내</h3><p>이번 달 <b>고구마케이크</b>가 출시되었습니다.</p>');

-- Configuration rows of terminal 99 of store 9999 and terminal 01 of the head-office unit.
INSERT INTO F0000 (SCCMCD, SCBUUT, SCPOID, SCWORK, SCLADT, VANName, VANNumber, VANKey, VANSignPort, VANSignBaudrate, SubMonitor, SubTop, SubLeft, SubLogoMode, SubLogoFile, SubLogoMedia, SubNotice, SubDisplayCustName, SubDispMode, TypeALines, TypeBLines, MenuIndex, SettIndex, DisPrice, DisCountStock, DisCountAmt, PosMode, StartDate, EventMode, SharePoint, RecordCoins, SettlePasswd, LoginCheckOnSettle, LoginPosition, LoginType, UpdateOn, POSVersion, StoreOpen, scystm, autocutpoint, pointcut, startbell, endbell, gifticonid, IncludeVat, VatRatio, TipRatio, MaxOKRatio, StaticOKRatio, CouponTerm, DiscountTerm, PointTerm, BaseCostMethod, NextDayFlag, PrepayInputFlag, MisuInputFlag, PtMode, PtRatio, PTStore, PTLeastSett, PtMaxStore, PtChangeRatio, PtStoreCash, PtStoreCard, PtStoreStock, PtStorePrepay, PtStorePoint, PtStoreCoupon, PtStoreVoucher, PtSaveOnPrepay, PtSaveOnVoucher, PtSaveOnStock, PtMinUse, PtMaxUse, PtMaxUseRatio, ptUnit, UseCustSection, AlwaysCustCount, LayerCounter, TableCount, PackCount, LayerTitle, TableRefillOn, InputCustSex, VFDUse, VFDType, VFDPort, VFDBaudrate, PrUse, PrPreview, PrBarCode, PrWaitSlip, PrMessage1, PrMessage2, PrMessage3, PrMessage4, PrBakeryKitchen, PrCookery, PrOrdRcpt, PrCookeryNode, SCKMTY, CountCashBill, CountCard, CountCash, CountOd, CountDV, CountCookOD, CountStockOD, CountStockDV, CountStockSt, CountStockList, CountWaitSlip, CountCardDirect, countbill, CbTaste, CbRevise, CbExhaust, CbItemReturn, CbOrdering, CbInCome, CbDelivery, CbSaleReturn, CbConvert, CbRecount, CbCoupon, CbPoint, CbClosing, CbSettle, CbStatics, PortReceipt, BaudrateReceipt, PortCookery, BaudrateCookery, PortBarcode, BaudrateBarcode, PortCardReader, BaudrateCardReader, OrderPersent, UseAutoProduce, UseInOutPrice, PrintStockPrice, OrderClosingTime, takeoutflag, serviceitemprint, setcoursepreview)
  VALUES ('9999', '9999', '99', '', datetime('now', 'localtime'), 'KISVAN' || '|' || char(0), '00000000' || '|' || char(0), '' || '|' || char(0), 'COM5' || '|' || char(0), '57600' || '|' || char(0), 1, 0, 1024, '0', '', '', '', 1, '0', 2, 2, '0|0|0|0|0|0|0|0|0|0|0|0|0|0|0|0', '0|0|0|0|0', 1, 0, 0, '0', datetime('now', 'localtime'), '0', 0, 1, '', 0, '1', '1', 1, '', 0, '1899-12-30 09:00:00', 0, 0, 0, 0, '', 1, 10, 0, 0, 0, 365, 365, 1825, '', ' ', 0, 0, '0', 5, 0, 1000, 50000, 1, 5, 3, 3, 5, 1, 1, 5, 0, 1, 1, 0, 0, 0, 0, 1, 1, 3, '10|14|20|0|0|0|0|0|0|0|0|0|0|0|0|0|0|0|0|0', '3|1|0|0|0|0|0|0|0|0|0|0|0|0|0|0|0|0|0|0', '1층' || '|' || '2층' || '|' || '3층' || '|' || char(0) || '|' || char(0) || '|' || char(0) || '|' || char(0) || '|' || char(0) || '|' || char(0) || '|' || char(0) || '|' || char(0) || '|' || char(0) || '|' || char(0) || '|' || char(0) || '|' || char(0) || '|' || char(0) || '|' || char(0) || '|' || char(0) || '|' || char(0) || '|' || char(0), 1, 0, 0, '0', '', '', 1, 0, 1, 1, '데모베이커리를 찾아 주셔서 감사합니다.', '데모지점', '반품하실 때는 영수증을 꼭 지참해주세요.', '', 0, 0, 0, '0', '1', 1, 1, 1, 2, 2, 1, 1, 1, 1, 1, 1, 2, 1, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 'COM1', '57600', '' || '|' || char(0) || '|' || char(0) || '|' || char(0) || '|' || char(0) || '|' || char(0) || '|' || char(0) || '|' || char(0) || '|' || char(0) || '|' || char(0) || '|' || char(0) || '|' || char(0) || '|' || char(0) || '|' || char(0) || '|' || char(0) || '|' || char(0) || '|' || char(0) || '|' || char(0) || '|' || char(0) || '|' || char(0) || '|' || char(0), '' || '|' || char(0) || '|' || char(0) || '|' || char(0) || '|' || char(0) || '|' || char(0) || '|' || char(0) || '|' || char(0) || '|' || char(0) || '|' || char(0) || '|' || char(0) || '|' || char(0) || '|' || char(0) || '|' || char(0) || '|' || char(0) || '|' || char(0) || '|' || char(0) || '|' || char(0) || '|' || char(0) || '|' || char(0) || '|' || char(0), '', '', '', '', 0, 0, 0, '2', '2359', 0, 0, 0);
CREATE TEMP TABLE seed_config AS SELECT * FROM F0000 WHERE SCCMCD = '9999' AND SCBUUT = '9999' AND SCPOID = '99';
UPDATE seed_config SET SCBUUT = '0001', SCPOID = '01';
INSERT INTO F0000 SELECT * FROM seed_config;
DROP TABLE seed_config;

INSERT INTO F0003 (PCCMCD, PCBUUT, PCPOID, PCPRST, PCWORK, PCPGID, PCLADT) VALUES
  ('9999', '9999', '99', '1', '', 'DM', datetime('now', 'localtime')),
  ('9999', '0001', '01', '1', '', 'DM', datetime('now', 'localtime'));
