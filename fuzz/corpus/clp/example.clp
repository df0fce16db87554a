alpha

two
lines

