
var name=`a  ${b}
  c`;