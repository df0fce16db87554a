one

two
lines

