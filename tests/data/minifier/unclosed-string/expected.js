
var s="open
