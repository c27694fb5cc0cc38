
var a=1;