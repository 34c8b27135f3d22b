-- Delivery orders of the table-order window: the bookings (F4104, with their
-- sales F4100 and lines F4101, declared with the store documents) are
-- searched by store and delivery date ("yyyy-mm-dd").

CREATE INDEX IF NOT EXISTS F4104_DELIVERY ON F4104 (OBCMCD, OBBUUT, OBYEDT);
