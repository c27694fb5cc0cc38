/**/a/* x *//* y */ b // c
"unterminated
/[/]/ i++ / 2