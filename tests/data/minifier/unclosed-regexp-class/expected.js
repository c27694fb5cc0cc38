
var r=/[abc