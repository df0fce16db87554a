a

