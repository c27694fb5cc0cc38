var/**/x = 4;
var y = x+/**/+x;
function h() { return /*
*/ 7 }
[x, y, h()].join(",");
