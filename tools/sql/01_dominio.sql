-- Encoding: ASCII (no accented characters in this file).
-- Column domain for amounts of the ERP and of the FCONT tables. In SQL dialect 1 a
-- NUMERIC wider than 9 digits is stored as DOUBLE PRECISION, so every amount read through
-- this domain comes back as a floating-point number and must be rounded by the reader.

CREATE DOMAIN DOVALOR AS NUMERIC(15,2);
