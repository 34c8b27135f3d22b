-- Attendance events of the staff: one row per event (clock in, clock out,
-- going out, break, return, absence, early leave, holiday, ...). Sequences are
-- numbered per company, unit and day across all employees, so a row is found
-- by (company, unit, day, seq) without the employee's number.
CREATE TABLE F0150 (
    EICMCD TEXT NOT NULL,
    EIBUUT TEXT NOT NULL,
    EIDATE TEXT NOT NULL,            -- day "yyyymmdd" the event belongs to
    EISEQ INTEGER NOT NULL,
    EIADNB TEXT NOT NULL,            -- employee
    EITIME DATETIME NOT NULL,        -- "yyyy-mm-dd hh:nn:ss"
    EIKUNT TEXT NOT NULL,            -- kind (code group 030)
    EIWORK TEXT NOT NULL DEFAULT '',
    EIPGID TEXT NOT NULL DEFAULT '',
    EILADT DATETIME,
    PRIMARY KEY (EICMCD, EIBUUT, EIDATE, EISEQ)
);
CREATE INDEX F0150_EMPLOYEE ON F0150 (EICMCD, EIADNB, EIDATE);
