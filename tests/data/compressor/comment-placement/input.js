/**/var a = 1; /* a *//* b */ var b = 2;
/* // a line marker in a block */ var c = 3;
// /* a block marker in a line
var d = 4;


a + b + c + d; // the sum
