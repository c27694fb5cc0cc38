function f(a){return a + ++a // sum
}
var s = "a  b", t = `x
y`;
