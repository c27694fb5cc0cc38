var re = /\/\/ not a comment/;
var s = "a // b".replace(/\/\//, "slash");
var t = /a[*]+/.test("a*");
var u = typeof /x/;
function g(v) { return /a  b/.test(v); }
var n = 4 / 2 / 1;
[re.source, s, t, u, g("a  b"), n].join("|");
