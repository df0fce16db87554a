café crème

“quoted” € 5
second line

