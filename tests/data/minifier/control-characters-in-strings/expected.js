
var s='a	b';s.charCodeAt(1)