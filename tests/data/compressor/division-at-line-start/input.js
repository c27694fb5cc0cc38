var a = 10, g = 2, i = 5
var r = a
/g/i
var s = (a + 2)
/ 3
var t = [8][0] /2/ 2;
[r, s, t].join(" ");
