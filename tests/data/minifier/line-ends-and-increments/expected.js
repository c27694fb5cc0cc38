
var a=1;var b=a+ ++a;b;