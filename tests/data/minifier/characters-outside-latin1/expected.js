
var größe="日本語 text";var π=3.14;größe+π;