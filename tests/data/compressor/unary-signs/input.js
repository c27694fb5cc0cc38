var a = 5, b = 3;
var r = [a + +b, a - -b, a + ++b, a - --b, a  +  +b, a -	-b];
r.join(",");
