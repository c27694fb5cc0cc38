interface int print;
if(x1) return 42;
while (a_in) break;
var $int = _int;
var äin;
